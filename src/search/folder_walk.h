#pragma once
// The folder walk: its hits (the results table), its stop flag, and the walk itself.
#include <windows.h>

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

// The most hits one search lists: the count is a 16-bit number.
inline constexpr int16_t FoundLimit = 32767;

// Date kinds: 0 created, 1 modified, 2 accessed, each within the range; 4, 5, 6 the same times
// with no range test.
//
// Walks folder and, with includeSubfolders, every folder below it depth-first, adding each hit
// to FoundTable and to list; status shows the count and the folder being searched. Pending
// window messages are let through once per folder, then StopRequested is tested.
void SearchFolderTree(const std::string& folder, const std::string& pattern, const FILETIME& fromTime,
                      const FILETIME& toTime, int16_t dateKind, HWND list, HWND status, bool includeSubfolders);

// Lists the hits of one folder (ending in "\") and appends its subfolders that may be entered,
// each as folder + name, to subfolders.
void ListFolderMatches(std::vector<std::string>& subfolders, const std::string& folder, const std::string& pattern,
                       const FILETIME& fromTime, const FILETIME& toTime, int16_t dateKind, HWND list);

// The size column: "0KB", else kilobytes rounded up; texts shorter than 7 characters get two
// spaces per missing character in front, so that sizes line up in the proportional font.
std::string FoundSizeText(uint64_t bytes);

