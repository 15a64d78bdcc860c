#pragma once
// The results table: one row per hit of the last search, in the order the list shows them, the
// widths of the list's columns, and the texts a row is shown and copied with.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fileinfo/text_formats.h"

struct FrmMain;

// One hit, read by column: 0 name in lower case (a folder's with one leading space), 1 date
// text, 2 size text, 3 folder ending in "\", 4 sort key of the date, 5 the name as shown
// (possibly shortened). A row keeps no copy it can share or derive: the folder text is one for
// the rows of a folder, the date texts one for the rows of an instant, and the shown name is
// the name itself until a shortening differs from it.
class FoundRow {
public:
    FoundRow() = default;
    // A row of six texts, each its own (tables made outside a search).
    FoundRow(std::string name, std::string date, std::string size, std::string folder, std::string key,
             std::string shown);
    FoundRow(std::string name, std::shared_ptr<const ListDateTexts> dates, std::string size,
             std::shared_ptr<const std::string> folder)
        : name_(std::move(name)), size_(std::move(size)), folder_(std::move(folder)), dates_(std::move(dates)) {}

    const std::string& operator[](size_t column) const {
        switch (column) {
        case 0: return name_;
        case 1: return dates_ ? dates_->DisplayText : None();
        case 2: return size_;
        case 3: return folder_ ? *folder_ : None();
        case 4: return dates_ ? dates_->SortKey : None();
        case 5: return shown_.empty() ? name_ : shown_;
        default: return None();
        }
    }
    // The name as shown; the name itself keeps no second copy.
    void SetShown(std::string shown);

    friend bool operator==(const FoundRow& a, const FoundRow& b);
    // Column by column, as texts.
    friend bool operator<(const FoundRow& a, const FoundRow& b);

private:
    static const std::string& None();
    std::string name_;
    std::string size_;
    std::string shown_;   // "" while the shown name is the name
    std::shared_ptr<const std::string> folder_;
    std::shared_ptr<const ListDateTexts> dates_;
};

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

class TextMeasure;
// Cuts rows' shown names to the name column with the list's font and scale read once, for a
// run of rows during which neither can change (no message pass between them).
class NameShortener {
public:
    explicit NameShortener(HWND list);
    ~NameShortener();
    NameShortener(const NameShortener&) = delete;
    NameShortener& operator=(const NameShortener&) = delete;
    void Shorten(FoundRow& row);

private:
    std::unique_ptr<TextMeasure> measure_;
};

// Recomputes every row's shown name from its full name.
void ShortenAllNames(FrmMain& form);
