#pragma once
// The folder walk: its hits (the results table), its stop flag, and the walk itself.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/found_table.h"

// Set by the Stop button, by Escape and by the result limit; the walk tests it at every folder.
extern bool StopRequested;

// Attribute bits every hit must have all of (the Find page's attribute choice).
extern uint32_t RequiredAttributes;

// Date kinds: 0 created, 1 modified, 2 accessed, each within the range; 4, 5, 6 the same times
// with no range test.
//
// Walks folder and, with includeSubfolders, every folder below it depth-first, adding each hit
// to FoundTable and its line to list (see CatchUpLines); status shows the count and the folder being searched. Pending
// window messages are let through at the start and then at the first folder that begins 10 ms or
// more after the last pass (so at every folder that takes longer); StopRequested is tested at
// every folder.
void SearchFolderTree(const std::string& folder, const std::string& pattern, const FILETIME& fromTime,
                      const FILETIME& toTime, int16_t dateKind, HWND list, HWND status, bool includeSubfolders);

// What makes an entry a hit, fixed for one search.
struct HitRule {
    uint32_t required;      // attribute bits a hit must have all of
    bool folders;           // folders may be hits
    int16_t dateKind;       // the date kinds above
    FILETIME fromTime, toTime;
    bool showModified;      // a hit shows its modified time whichever time was tested
};

// The row an entry (named name, as listed or as reached) of folder makes, or nothing when it
// is no hit. Decides on values alone; the date texts come from the shared cache.
std::optional<FoundRow> HitRow(const WIN32_FIND_DATAA& record, std::string_view name, const HitRule& rule,
                               const std::shared_ptr<const std::string>& folder);

// A subfolder the walk may enter: folder + name, and its attributes as the enumeration gave them.
struct Subfolder {
    std::string path;
    DWORD attributes = 0;
};

// Adds the hits of one folder (ending in "\") to the table and appends its subfolders that may
// be entered to subfolders. The list's lines follow at CatchUpLines.
void ListFolderMatches(std::vector<Subfolder>& subfolders, const std::string& folder, const std::string& pattern,
                       const FILETIME& fromTime, const FILETIME& toTime, int16_t dateKind, HWND list);

// Gives the results list (no data of its own) one line per row found. The walk adds rows alone
// and gives the list their count only when it draws the list, before a message box, and at its
// end; the user acts on the lines drawn. A line added per hit cost a call to the window system
// each, over a microsecond under Wine: a third of what a hit costs.
void CatchUpLines(HWND list);

