#include "search/found_table.h"

#include "app/dpi.h"
#include "app/form.h"
#include "app/utf8_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

std::vector<FoundRow> FoundTable;
int16_t FoundCount = 0;
std::string ReportText;
std::array<int32_t, 3> ColumnWidths = {0, 0, 0};
int16_t NameMaxChars = 0;

FoundRow::FoundRow(std::string name, std::string date, std::string size, std::string folder, std::string key,
                   std::string shown)
    : name_(std::move(name)), size_(std::move(size)),
      folder_(std::make_shared<const std::string>(std::move(folder))),
      dates_(std::make_shared<const ListDateTexts>(ListDateTexts{std::move(date), std::move(key)})) {
    SetShown(std::move(shown));
}

void FoundRow::SetShown(std::string shown) {
    if (shown == name_) shown.clear();
    shown_ = std::move(shown);
}

const std::string& FoundRow::None() {
    static const std::string none;
    return none;
}

bool operator==(const FoundRow& a, const FoundRow& b) {
    for (size_t column = 0; column < 6; ++column) {
        if (a[column] != b[column]) return false;
    }
    return true;
}

bool operator<(const FoundRow& a, const FoundRow& b) {
    for (size_t column = 0; column < 6; ++column) {
        if (a[column] != b[column]) return a[column] < b[column];
    }
    return false;
}

namespace {

// The widths of the printable ASCII characters in one font, read once per font: a text of those
// alone measures as the sum of its characters' widths, which is what the text-extent call gives
// (the list draws without kerning). Names are nearly always such texts, and one extent call
// per hit cost more than the rest of the hit.
struct AsciiWidths {
    LOGFONTW font = {};
    bool ready = false;
    std::array<int, 128> width = {};
};

AsciiWidths& WidthsOf(HFONT font, HDC dc) {
    static AsciiWidths widths;
    LOGFONTW described = {};
    if (!font || !GetObjectW(font, sizeof described, &described)) {
        widths.ready = false;
        return widths;
    }
    if (widths.ready && std::memcmp(&widths.font, &described, sizeof described) == 0) return widths;
    widths.ready = false;
    if (!dc) return widths;
    for (wchar_t c = 32; c < 127; ++c) {
        SIZE size = {};
        if (!GetTextExtentPoint32W(dc, &c, 1, &size)) return widths;
        widths.width[static_cast<size_t>(c)] = size.cx;
    }
    widths.font = described;
    widths.ready = true;
    return widths;
}

}  // namespace

// Widths in the list's font for a whole pass; the device context is taken only for text the
// table does not cover.
class TextMeasure {
public:
    explicit TextMeasure(HWND window)
        : window_(window), font_(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))) {
        widths_ = &WidthsOf(font_, nullptr);
    }
    ~TextMeasure() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) ReleaseDC(window_, dc_);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    int Dpi() const { return dpi_; }
    int Width(const std::string& text) {
        if (!widths_->ready && Dc()) widths_ = &WidthsOf(font_, dc_);
        if (widths_->ready) {
            int sum = 0;
            bool covered = true;
            for (unsigned char c : text) {
                if (c < 32 || c >= 127) {
                    covered = false;
                    break;
                }
                sum += widths_->width[c];
            }
            if (covered) return sum;
        }
        SIZE size = {};
        const std::wstring wide = WideFromUtf8(text);
        if (Dc()) GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }

private:
    HDC Dc() {
        if (!dc_ && !triedDc_) {
            triedDc_ = true;
            dc_ = GetDC(window_);
            if (dc_ && font_) old_ = SelectObject(dc_, font_);
        }
        return dc_;
    }
    HWND window_;
    HFONT font_;
    const AsciiWidths* widths_ = nullptr;
    HDC dc_ = nullptr;
    bool triedDc_ = false;
    HGDIOBJ old_ = nullptr;
    int dpi_ = WindowDpi(window_);
};

namespace {

void ShortenRow(FoundRow& row, TextMeasure& measure) {
    row.SetShown(ShortenedName(row[0], row[5], NameMaxChars, Scale(ColumnWidths[0] - 19, measure.Dpi()),
                               [&measure](const std::string& text) { return measure.Width(text); }));
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

std::string FoundLine(const FoundRow& row) {
    std::string line = row[5];
    for (size_t column : {1u, 2u, 3u}) {
        line += '\t';
        line += row[column];
    }
    return line;
}

NameShortener::NameShortener(HWND list) : measure_(std::make_unique<TextMeasure>(list)) {}

NameShortener::~NameShortener() = default;

void NameShortener::Shorten(FoundRow& row) { ShortenRow(row, *measure_); }

void ShortenAllNames(FrmMain& form) {
    TextMeasure measure(form.lstFound);
    for (FoundRow& row : FoundTable) {
        row.SetShown(std::string());
        ShortenRow(row, measure);
    }
}
