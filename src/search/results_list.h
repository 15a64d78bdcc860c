#pragma once
// The Search Results page: the results list, its columns, sorting, copying and deleting.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "search/found_table.h"

struct FrmMain;

// Set by Escape; the sort tests it once per partition.
extern bool SortStopRequested;

// The header the list was last sorted by; -1 after a new search (the next click sorts ascending).
extern int16_t SortColumn;
// Set when a column drag ends, so that the click ending it does not sort.
extern bool HeaderClickSuppressed;

// Most files one Delete hands to the shell.
inline constexpr int MaxDeleteCount = 20;

// ---- Decisions over values ---------------------------------------------------------------

// Tab stops (dialog units) of the three column boundaries.
std::array<int, 3> TabStopsFor(const std::array<int32_t, 3>& widths);
int16_t NameMaxCharsFor(int32_t nameWidth);

// The table column a header sorts by: the date header sorts by the date's sort key.
size_t SortKeyColumn(int header);

// Sorts rows low..high of the table by column, ascending by character code. After a partition it
// lets waiting window messages through (on the first, then every few milliseconds) and stops when
// SortStopRequested is set by then.
void SortFoundTable(std::vector<FoundRow>& table, size_t column, int low, int high);
void ReverseFoundTable(std::vector<FoundRow>& table);

// The line after `caret` (wrapping round, among the first `count`) whose name starts with
// `typed`, letters compared without case; -1 when none does.
int NextLineStartingWith(const std::vector<FoundRow>& table, int count, int caret, wchar_t typed);

// The clipboard text of "Copy Search Results".
std::string ResultsReport(const std::string& reportText, const std::string& foundText,
                          const std::vector<std::string>& lines);

// ---- The page ----------------------------------------------------------------------------

// A new search begins: the next header click sorts ascending.
void ResetSortColumn();

// Lays out the list's columns and headers for the widths.
void DoListBox(FrmMain& form, const std::array<int32_t, 3>& widths);

// Recomputes every shown name and reloads the list from the table.
void RefillResults(FrmMain& form);

// A click on header labCol(index): sorts by that column, or reverses on the same header again.
void HeaderClick(FrmMain& form, int index);
// The mouse on a header (x, y in the header's pixels): resize pointer and column drag.
void HeaderMouseMove(FrmMain& form, int index, int x, int y);
void HeaderMouseDown(FrmMain& form, int index);
void HeaderMouseUp(FrmMain& form, int index);

// The list's selection changed by the user: show the clicked hit.
void lstFound_Click(FrmMain& form);
// A double click puts the line's text on the clipboard.
void lstFound_DblClick(FrmMain& form);
// Right button pressed at (x, y): selects the line there unless shift is held or several are selected.
void lstFound_RightDown(FrmMain& form, int x, int y, bool shift);
// Enables the results menu's items for the present list; the popup itself follows.
void PrepareResultsMenu(FrmMain& form);

// The results list draws its lines from the table (the list itself holds none).
bool ResultsPage_OnMeasureItem(FrmMain& form, MEASUREITEMSTRUCT& item);
bool ResultsPage_OnDrawItem(FrmMain& form, const DRAWITEMSTRUCT& item);

void CopySearchResults(FrmMain& form);
void DeleteSelectedResults(FrmMain& form);

// Moves the NUL-separated paths in list to the recycle bin through the shell, owner asking.
// Returns the shell's result (0 on success).
int ShellDelete(HWND owner, const std::string& list, FILEOP_FLAGS flags);
// The deletion the Delete command uses; tests put their own in its place.
extern int (*ShellDeleteHook)(HWND owner, const std::string& list, FILEOP_FLAGS flags);
inline constexpr FILEOP_FLAGS DeleteFlags = 0x40 | 0x02;   // FOF_ALLOWUNDO and the confirm-mouse bit

// After the controls exist: subclass the list and headers for their mouse handling.
void ResultsPage_Init(FrmMain& form);
// WM_COMMAND of the page's controls and of the results list's menu; true when handled.
bool ResultsPage_OnCommand(FrmMain& form, int id, int code, HWND control);
