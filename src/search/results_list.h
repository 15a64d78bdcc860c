#pragma once
// State of the results list shared with the window and the settings.
#include <array>
#include <cstdint>

// Set by Escape; the sort tests it once per partition.
extern bool SortStopRequested;

// Widths in pixels of the name, date and size columns (kept in the settings file).
extern std::array<int32_t, 3> ColumnWidths;

// The design widths of those columns (the header labels' tags): the defaults.
inline constexpr std::array<int32_t, 3> DefaultColumnWidths = {84, 104, 52};
