#include "fileinfo/text_formats.h"

#include "app/platform.h"
#include "app/utf8_text.h"


#include <oleauto.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

std::string DateFormat = "Short Date";
std::string TimeFormat = "Long Time";
std::string ByteFormat = "#,,0";
ListDateTexts ListDates;

namespace {

constexpr const char* UnknownText = "(unknown)";
constexpr const char* FailedText = "(function failed)";
constexpr size_t ListTextWidth = 20;

std::string LocaleText(LCTYPE type) {
    char buffer[128] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) == 0) return {};
    return std::string(buffer);
}

std::string FixedWidth(std::string text) {
    text.resize(ListTextWidth, ' ');
    return text;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// 0 = Sunday, as SYSTEMTIME counts.
WORD DayOfWeek(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return static_cast<WORD>((year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7);
}

// Only the calendar fields of value, so the platform formatters never see a stale day of week or
// out-of-range milliseconds.
SYSTEMTIME CalendarOnly(const SYSTEMTIME& value) {
    SYSTEMTIME clean = {};
    clean.wYear = value.wYear;
    clean.wMonth = value.wMonth;
    clean.wDay = value.wDay;
    clean.wHour = value.wHour;
    clean.wMinute = value.wMinute;
    clean.wSecond = value.wSecond;
    if (clean.wMonth >= 1 && clean.wMonth <= 12) clean.wDayOfWeek = DayOfWeek(clean.wYear, clean.wMonth, clean.wDay);
    return clean;
}

std::string PlatformDate(const SYSTEMTIME& value, DWORD flags, const char* picture) {
    return TextOfLength<char>(
        [&](char* out, int length) { return GetDateFormatA(LOCALE_USER_DEFAULT, flags, &value, picture, out, length); },
        true);
}

std::string PlatformTime(const SYSTEMTIME& value, const char* picture) {
    return TextOfLength<char>(
        [&](char* out, int length) { return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &value, picture, out, length); },
        true);
}

std::string DateText(const SYSTEMTIME& value, const std::string& pattern) {
    char buffer[32];
    if (pattern.empty()) return {};
    if (pattern == "dd.mm.yyyy") {
        std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u", value.wDay, value.wMonth, value.wYear);
        return buffer;
    }
    if (pattern == "yyyy.mm.dd") {
        std::snprintf(buffer, sizeof buffer, "%04u.%02u.%02u", value.wYear, value.wMonth, value.wDay);
        return buffer;
    }
    if (pattern == "Long Date") return PlatformDate(value, DATE_LONGDATE, nullptr);
    if (pattern == "Short Date") return PlatformDate(value, DATE_SHORTDATE, nullptr);
    return PlatformDate(value, 0, pattern.c_str());
}

std::string TimeText(const SYSTEMTIME& value, const std::string& pattern) {
    if (pattern.empty()) return {};
    if (pattern == "Short Time") {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%02u:%02u", value.wHour, value.wMinute);
        return buffer;
    }
    if (pattern == "Long Time") return PlatformTime(value, nullptr);
    return PlatformTime(value, pattern.c_str());
}

// Windows grouping text ("3;0", "3;2;0", "3") as group sizes from the lowest digits up; repeat
// tells whether the last size goes on for all higher digits.
void ParseGrouping(const std::string& grouping, std::vector<int>& sizes, bool& repeat) {
    sizes.clear();
    repeat = false;
    size_t start = 0;
    while (start <= grouping.size()) {
        size_t end = grouping.find(';', start);
        if (end == std::string::npos) end = grouping.size();
        std::string part = grouping.substr(start, end - start);
        int size = 0;
        for (char c : part) {
            if (c < '0' || c > '9') break;
            size = size * 10 + (c - '0');
            if (size > 9) break;
        }
        if (size == 0) {
            // A trailing zero means: repeat the size before it.
            repeat = end == grouping.size() && !sizes.empty();
            break;
        }
        sizes.push_back(size);
        start = end + 1;
    }
}

// "Standard": regional digit grouping, separators and negative form, exactly two decimals.
std::string StandardText(bool negative, uint64_t whole, unsigned hundredths) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%s%llu.%02u", negative ? "-" : "", static_cast<unsigned long long>(whole),
                  hundredths % 100);

    std::string decimal = LocaleText(LOCALE_SDECIMAL);
    std::string thousand = LocaleText(LOCALE_STHOUSAND);
    std::vector<int> sizes;
    bool repeat = false;
    ParseGrouping(LocaleText(LOCALE_SGROUPING), sizes, repeat);
    // NUMBERFMT takes the grouping as digits: 3;0 -> 3, 3;2;0 -> 32, 3 -> 30.
    UINT grouping = 0;
    for (int size : sizes) grouping = grouping * 10 + static_cast<UINT>(size);
    if (!sizes.empty() && !repeat) grouping *= 10;

    NUMBERFMTA format = {};
    format.NumDigits = 2;
    format.LeadingZero = static_cast<UINT>(std::atoi(LocaleText(LOCALE_ILZERO).c_str()));
    format.Grouping = grouping;
    format.lpDecimalSep = decimal.empty() ? const_cast<char*>(".") : decimal.data();
    format.lpThousandSep = thousand.data();
    format.NegativeOrder = static_cast<UINT>(std::atoi(LocaleText(LOCALE_INEGNUMBER).c_str()));
    char buffer[80] = {};
    if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits, &format, buffer, sizeof buffer) == 0) return digits;
    return buffer;
}

std::string TrimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A small reader over the text of a date; every step checks the end of the text.
class DateScanner {
public:
    explicit DateScanner(const std::string& text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    bool SkipSpaces() {
        size_t start = pos_;
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
        return pos_ > start;
    }
    bool Number(int& value, int& digits) {
        value = 0;
        digits = 0;
        while (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9' && digits < 4) {
            value = value * 10 + (text_[pos_] - '0');
            ++digits;
            ++pos_;
        }
        // More than four digits is not part of any date we read.
        if (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') return false;
        return digits > 0;
    }
    bool OneOf(const std::string& characters, char& found) {
        if (AtEnd() || characters.find(text_[pos_]) == std::string::npos) return false;
        found = text_[pos_++];
        return true;
    }
    bool Char(char wanted) {
        if (AtEnd() || text_[pos_] != wanted) return false;
        ++pos_;
        return true;
    }
    // A run of characters that are neither digits nor spaces (a designator such as "PM").
    std::string Word() {
        size_t start = pos_;
        while (!AtEnd() && text_[pos_] != ' ' && text_[pos_] != '\t' && (text_[pos_] < '0' || text_[pos_] > '9')) ++pos_;
        return text_.substr(start, pos_ - start);
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

enum class Designator { None, Am, Pm, Unknown };

Designator ReadDesignator(const std::string& word, const DateReadingRules& rules) {
    if (word.empty()) return Designator::None;
    if (lstrcmpiA(word.c_str(), "AM") == 0 || (!rules.am.empty() && lstrcmpiA(word.c_str(), rules.am.c_str()) == 0))
        return Designator::Am;
    if (lstrcmpiA(word.c_str(), "PM") == 0 || (!rules.pm.empty() && lstrcmpiA(word.c_str(), rules.pm.c_str()) == 0))
        return Designator::Pm;
    return Designator::Unknown;
}

bool ReadTime(DateScanner& scan, const DateReadingRules& rules, SYSTEMTIME& value) {
    Designator before = ReadDesignator(scan.Word(), rules);
    if (before == Designator::Unknown) return false;
    scan.SkipSpaces();
    std::string separators = ":";
    separators += rules.timeSeparator;
    int hour = 0, minute = 0, second = 0, digits = 0;
    char separator = 0;
    if (!scan.Number(hour, digits) || digits > 2) return false;
    if (!scan.OneOf(separators, separator)) return false;
    if (!scan.Number(minute, digits) || digits != 2) return false;
    if (scan.Char(separator) && (!scan.Number(second, digits) || digits != 2)) return false;
    scan.SkipSpaces();
    Designator after = ReadDesignator(scan.Word(), rules);
    scan.SkipSpaces();
    if (after == Designator::Unknown || !scan.AtEnd()) return false;
    if (before != Designator::None && after != Designator::None) return false;
    Designator designator = before != Designator::None ? before : after;
    if (designator == Designator::None) {
        if (hour > 23) return false;
    } else {
        if (hour < 1 || hour > 12) return false;
        hour %= 12;
        if (designator == Designator::Pm) hour += 12;
    }
    if (minute > 59 || second > 59) return false;
    value.wHour = static_cast<WORD>(hour);
    value.wMinute = static_cast<WORD>(minute);
    value.wSecond = static_cast<WORD>(second);
    return true;
}

bool MakeDate(int year, int yearDigits, int month, int day, const DateReadingRules& rules, SYSTEMTIME& value) {
    if (yearDigits <= 2) {
        int century = rules.twoDigitYearMax / 100 * 100;
        year += century;
        if (year > rules.twoDigitYearMax) year -= 100;
    } else if (yearDigits == 3) {
        return false;
    }
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    value.wYear = static_cast<WORD>(year);
    value.wMonth = static_cast<WORD>(month);
    value.wDay = static_cast<WORD>(day);
    value.wDayOfWeek = DayOfWeek(year, month, day);
    return true;
}

DateReadingRules::Order PictureOrder(const std::string& picture) {
    bool quoted = false;
    std::string order;
    for (char c : picture) {
        if (c == '\'') quoted = !quoted;
        if (quoted) continue;
        char field = c == 'd' ? 'd' : c == 'M' ? 'M' : (c == 'y' || c == 'Y') ? 'y' : 0;
        if (field && order.find(field) == std::string::npos) order += field;
    }
    if (order.rfind("y", 0) == 0) return DateReadingRules::Order::YearMonthDay;
    if (order.rfind("d", 0) == 0) return DateReadingRules::Order::DayMonthYear;
    return DateReadingRules::Order::MonthDayYear;
}

bool ReadWithPlatform(const std::string& text, SYSTEMTIME& value) {
    std::wstring wide = WideFromCodePage(text, CP_ACP);
    if (wide.empty()) return false;
    DATE date = 0;
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return false;
    SYSTEMTIME read = {};
    if (!VariantTimeToSystemTime(date, &read) || read.wYear < 1601) return false;
    value = CalendarOnly(read);
    return true;
}

} // namespace

bool FileTimeToLocalCalendar(const FILETIME& fileTime, SYSTEMTIME& local) {
    SYSTEMTIME utc = {};
    if (!FileTimeToSystemTime(&fileTime, &utc)) return false;
    return SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) != FALSE;
}

std::string FileTimeToText(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern) {
    if (static_cast<int32_t>(fileTime.dwHighDateTime) <= 0) return UnknownText;
    SYSTEMTIME local = {};
    if (!FileTimeToLocalCalendar(fileTime, local)) return FailedText;
    return DateTimeText(local, datePattern, " ", timePattern);
}

namespace {

// The texts of recent instants, by the second: a tree holds many equal times (a whole folder
// copied or unpacked at once), and each text costs two calls into the locale.
struct CachedListTexts {
    uint64_t second = UINT64_MAX;
    std::shared_ptr<const ListDateTexts> texts;
};

struct ListTextCache {
    std::array<CachedListTexts, 256> slots;
    std::string datePattern, timePattern;
};

ListTextCache& TheListTextCache() {
    static ListTextCache cache;
    return cache;
}

}  // namespace

void ClearListTextCache() {
    for (CachedListTexts& slot : TheListTextCache().slots) {
        slot.second = UINT64_MAX;
        slot.texts.reset();
    }
}

void FileTimeToListTexts(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern) {
    ListDates = *SharedListTexts(fileTime, datePattern, timePattern);
}

std::shared_ptr<const ListDateTexts> SharedListTexts(const FILETIME& fileTime, const std::string& datePattern,
                                                     const std::string& timePattern) {
    if (static_cast<int32_t>(fileTime.dwHighDateTime) <= 0) {
        static const auto unknown =
            std::make_shared<const ListDateTexts>(ListDateTexts{FixedWidth(UnknownText), FixedWidth(UnknownText)});
        return unknown;
    }
    ListTextCache& cache = TheListTextCache();
    if (cache.datePattern != datePattern || cache.timePattern != timePattern) {
        ClearListTextCache();
        cache.datePattern = datePattern;
        cache.timePattern = timePattern;
    }
    // The texts go down to the second, so every instant within one second has the same ones.
    const uint64_t second = ((static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime) / 10000000;
    CachedListTexts& slot = cache.slots[static_cast<size_t>((second * 0x9E3779B97F4A7C15ull) >> 56)];
    if (slot.second != second || !slot.texts) {
        SYSTEMTIME local = {};
        ListDateTexts texts;
        if (!FileTimeToLocalCalendar(fileTime, local)) {
            texts.DisplayText = texts.SortKey = FixedWidth(FailedText);
        } else {
            texts.SortKey = FixedWidth(DateTimeText(local, "yyyy.mm.dd", " ", "Long Time"));
            texts.DisplayText = FixedWidth(DateTimeText(local, datePattern, " ", timePattern));
        }
        slot.texts = std::make_shared<const ListDateTexts>(std::move(texts));
        slot.second = second;
    }
    return slot.texts;
}

std::string DateTimeText(const SYSTEMTIME& value, const std::string& datePattern, const std::string& separator,
                         const std::string& timePattern) {
    SYSTEMTIME clean = CalendarOnly(value);
    std::string date = DateText(clean, datePattern);
    std::string time = TimeText(clean, timePattern);
    if (datePattern.empty() || timePattern.empty()) return date + time;
    return date + separator + time;
}

std::string GroupedNumber(int64_t value, const std::string& thousandSep, const std::string& grouping) {
    bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::vector<int> sizes;
    bool repeat = false;
    ParseGrouping(grouping, sizes, repeat);

    // Cut the digits into groups from the right.
    std::vector<std::string> groups;
    size_t end = digits.size();
    size_t index = 0;
    while (end > 0) {
        size_t size = end;
        if (index < sizes.size()) size = static_cast<size_t>(sizes[index]);
        else if (repeat && !sizes.empty()) size = static_cast<size_t>(sizes.back());
        if (size > end) size = end;
        groups.push_back(digits.substr(end - size, size));
        end -= size;
        ++index;
    }
    std::string result = negative ? "-" : "";
    for (size_t i = groups.size(); i-- > 0;) {
        result += groups[i];
        if (i > 0) result += thousandSep;
    }
    return result;
}

std::string NumberText(int64_t value, const std::string& pattern) {
    if (pattern == "#..0" || pattern == "#,,0" || pattern == "#,#")
        return GroupedNumber(value, LocaleText(LOCALE_STHOUSAND), LocaleText(LOCALE_SGROUPING));
    if (pattern == "Standard") {
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        return StandardText(value < 0, magnitude, 0);
    }
    return std::to_string(value);
}

std::string SizeText(int64_t size) {
    std::string bytes = NumberText(size, ByteFormat);
    if (size < 1000) return bytes + " bytes  (" + bytes + " bytes)";
    // Kilobytes with the digits after the second decimal cut off, computed without overflow.
    unsigned hundredths = static_cast<unsigned>(size % 1024 * 100 / 1024);
    return StandardText(false, static_cast<uint64_t>(size / 1024), hundredths) + " KB  (" + bytes + " bytes)";
}

std::string ChooseByteFormat() {
    // Written with the picture "0,#", one half reads "0,5" only where the formatter takes "," as
    // the decimal mark; that is where "." groups the thousands.
    return LocaleText(LOCALE_SDECIMAL) == "," ? "#..0" : "#,,0";
}

DateReadingRules UserDateReadingRules() {
    DateReadingRules rules;
    rules.order = PictureOrder(LocaleText(LOCALE_SSHORTDATE));
    std::string dateSeparator = LocaleText(LOCALE_SDATE);
    if (dateSeparator.size() == 1) rules.dateSeparator = dateSeparator[0];
    std::string timeSeparator = LocaleText(LOCALE_STIME);
    if (timeSeparator.size() == 1) rules.timeSeparator = timeSeparator[0];
    rules.am = LocaleText(LOCALE_S1159);
    rules.pm = LocaleText(LOCALE_S2359);
    DWORD yearMax = 0;
    if (GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                         &yearMax) != 0 &&
        yearMax >= 1700 && yearMax <= 9999)
        rules.twoDigitYearMax = static_cast<int>(yearMax);
    return rules;
}

bool ReadNumericDate(const std::string& text, const DateReadingRules& rules, SYSTEMTIME& value) {
    std::string trimmed = TrimSpaces(text);
    DateScanner scan(trimmed);
    std::string separators = "./-";
    separators += rules.dateSeparator;
    int numbers[3] = {};
    int digits[3] = {};
    char separator = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            char found = 0;
            if (!scan.OneOf(separators, found)) return false;
            if (i == 1) separator = found;
            else if (found != separator) return false;
            scan.SkipSpaces();
        }
        if (!scan.Number(numbers[i], digits[i])) return false;
    }
    scan.Char('.');   // "yyyy. MM. dd." ends in a dot

    using Order = DateReadingRules::Order;
    std::vector<Order> candidates;
    if (digits[0] >= 3) candidates = {Order::YearMonthDay};
    else if (separator == '.') candidates = {Order::DayMonthYear, rules.order};
    else candidates = {rules.order};

    SYSTEMTIME read = {};
    bool haveDate = false;
    for (Order order : candidates) {
        int year = 0, yearDigits = 0, month = 0, day = 0;
        switch (order) {
        case Order::MonthDayYear: month = numbers[0]; day = numbers[1]; year = numbers[2]; yearDigits = digits[2]; break;
        case Order::DayMonthYear: day = numbers[0]; month = numbers[1]; year = numbers[2]; yearDigits = digits[2]; break;
        case Order::YearMonthDay: year = numbers[0]; yearDigits = digits[0]; month = numbers[1]; day = numbers[2]; break;
        }
        if (MakeDate(year, yearDigits, month, day, rules, read)) {
            haveDate = true;
            break;
        }
    }
    if (!haveDate) return false;
    bool spaced = scan.SkipSpaces();
    if (!scan.AtEnd() && (!spaced || !ReadTime(scan, rules, read))) return false;
    value = read;
    return true;
}

bool ReadDateText(const std::string& text, SYSTEMTIME& value) {
    if (ReadNumericDate(text, UserDateReadingRules(), value)) return true;
    return ReadWithPlatform(TrimSpaces(text), value);
}
