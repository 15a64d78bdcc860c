#pragma once
// The results table: one row per hit of the last search, in the order the list shows them, the
// widths of the list's columns, and the texts a row is shown and copied with.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FrmMain;

// One hit: 0 name in lower case (a folder's with one leading space), 1 date text, 2 size text,
// 3 folder ending in "\", 4 sort key of the date, 5 the name as shown (possibly shortened).
using FoundRow = std::array<std::string, 6>;

// Line i of the results list always shows row i.
extern std::vector<FoundRow> FoundTable;
extern int16_t FoundCount;

// The most hits one search lists: the count is a 16-bit number.
inline constexpr int16_t FoundLimit = 32767;

// The criteria header of the results report, written when a search ends.
extern std::string ReportText;

// Widths in design pixels (pixels at 96 DPI) of the name, date and size columns, kept so in the
// settings file; the list scales them to the window's DPI where it lays its columns out.
extern std::array<int32_t, 3> ColumnWidths;

// The design widths of those columns (the header labels' tags): the defaults.
inline constexpr std::array<int32_t, 3> DefaultColumnWidths = {84, 104, 52};

// Characters assumed to fit the name column; follows the first column width.
extern int16_t NameMaxChars;

// The size column: "0KB", else kilobytes rounded up; texts shorter than 7 characters get two
// spaces per missing character in front, so that sizes line up in the proportional font.
std::string FoundSizeText(uint64_t bytes);

// The shown name of a row: `shown` (column 5) cut to what fits `limit` pixels as `width` measures,
// at most maxChars characters, ended by "..." when shorter than the full name.
std::string ShortenedName(const std::string& fullName, const std::string& shown, int maxChars, int limit,
                          const std::function<int(const std::string&)>& width);

// A list line: shown name, date text, size text and folder, separated by TAB.
std::string FoundLine(const FoundRow& row);

// Recomputes the shown name (column 5) of FoundTable row `row` to fit the name column.
void ShortenName(FrmMain& form, size_t row);
// Recomputes every row's shown name from its full name.
void ShortenAllNames(FrmMain& form);
