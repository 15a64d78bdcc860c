#include "search/found_table.h"

#include "app/dpi.h"
#include "app/form.h"
#include "app/utf8_text.h"

#include <algorithm>
#include <charconv>

std::vector<FoundRow> FoundTable;
int16_t FoundCount = 0;
std::string ReportText;
std::array<int32_t, 3> ColumnWidths = {0, 0, 0};
int16_t NameMaxChars = 0;

namespace {

// Widths measured in the list's font on one device context for a whole pass.
class TextMeasure {
public:
    explicit TextMeasure(HWND window) : window_(window), dc_(GetDC(window)) {
        auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        if (dc_ && font) old_ = SelectObject(dc_, font);
    }
    ~TextMeasure() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) ReleaseDC(window_, dc_);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    int Dpi() const { return dpi_; }
    int Width(const std::string& text) const {
        SIZE size = {};
        const std::wstring wide = WideFromUtf8(text);
        if (dc_) GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    int dpi_ = WindowDpi(window_);
};

void ShortenRow(FoundRow& row, const TextMeasure& measure) {
    row[5] = ShortenedName(row[0], row[5], NameMaxChars, Scale(ColumnWidths[0] - 19, measure.Dpi()),
                           [&measure](const std::string& text) { return measure.Width(text); });
}

}  // namespace

std::string FoundSizeText(uint64_t bytes) {
    char digits[32];
    const uint64_t kilobytes = bytes == 0 ? 0 : (bytes - 1) / 1024 + 1;
    char* end = std::to_chars(digits, digits + sizeof digits - 2, kilobytes).ptr;
    *end++ = 'K';
    *end++ = 'B';
    const size_t length = static_cast<size_t>(end - digits);
    std::string text;
    if (length < 7) text.assign((7 - length) * 2, ' ');
    text.append(digits, length);
    return text;
}

std::string ShortenedName(const std::string& fullName, const std::string& shown, int maxChars, int limit,
                          const std::function<int(const std::string&)>& width) {
    // A column narrower than the rule expects would give a negative count: nothing fits then.
    // Counts are of whole characters, so no cut ends inside one.
    const size_t most = static_cast<size_t>(std::max(maxChars, 0));
    std::string name = shown;
    size_t n = 0;
    if (CharacterCount(name) > most) {
        name = FirstCharacters(name, most);
        n = most;
    }
    while (n > 0 && width(name) > limit) {
        --n;
        name = FirstCharacters(name, n);
    }
    if (n == most) {
        // A very narrow column still shows a few characters of the name.
        while (n < 5 && width(name) < limit) {
            ++n;
            name += CharacterAt(fullName, n - 1);
        }
    }
    if (name.size() < fullName.size()) name += "...";
    return name;
}

std::string FoundLine(const FoundRow& row) { return row[5] + '\t' + row[1] + '\t' + row[2] + '\t' + row[3]; }

void ShortenName(FrmMain& form, size_t row) {
    if (row >= FoundTable.size()) return;
    TextMeasure measure(form.lstFound);
    ShortenRow(FoundTable[row], measure);
}

void ShortenAllNames(FrmMain& form) {
    TextMeasure measure(form.lstFound);
    for (FoundRow& row : FoundTable) {
        row[5] = row[0];
        ShortenRow(row, measure);
    }
}
