#pragma once
// The folder walk: its hits (the results table) and its stop flag.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One hit: 0 name in lower case (a folder's with one leading space), 1 date text, 2 size text,
// 3 folder ending in "\", 4 sort key of the date, 5 the name as shown (possibly shortened).
using FoundRow = std::array<std::string, 6>;

// Line i of the results list always shows row i.
extern std::vector<FoundRow> FoundTable;
extern int16_t FoundCount;

// Set by the Stop button, by Escape and by the result limit; the walk tests it once per folder.
extern bool StopRequested;
