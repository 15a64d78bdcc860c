#pragma once
// The folder walk: its hits (the results table), its stop flag, and the walk itself.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "search/found_table.h"

// Set by the Stop button, by Escape and by the result limit; the walk tests it once per folder.
extern bool StopRequested;

// Attribute bits every hit must have all of (the Find page's attribute choice).
extern uint32_t RequiredAttributes;

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

