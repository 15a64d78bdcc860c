#pragma once
// The Search Results page: the results list, its columns, sorting, copying and deleting.
#include <windows.h>

#include <array>
#include <cstdint>

struct FrmMain;

// Set by Escape; the sort tests it once per partition.
extern bool SortStopRequested;

// Widths in pixels of the name, date and size columns (kept in the settings file).
extern std::array<int32_t, 3> ColumnWidths;

// The design widths of those columns (the header labels' tags): the defaults.
inline constexpr std::array<int32_t, 3> DefaultColumnWidths = {84, 104, 52};

// Lays out the list's columns and headers for the widths.
void DoListBox(FrmMain& form, const std::array<int32_t, 3>& widths);

// Recomputes the shown name (column 5) of FoundTable row `row` to fit the name column.
void ShortenName(FrmMain& form, size_t row);

// After the controls exist: subclass the list and headers for their mouse handling.
void ResultsPage_Init(FrmMain& form);
// WM_COMMAND of the page's controls and of the results list's menu; true when handled.
bool ResultsPage_OnCommand(FrmMain& form, int id, int code, HWND control);
