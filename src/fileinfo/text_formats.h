#pragma once
// The shared date, time and size texts of the program.
//
// Patterns. Named patterns follow the user's regional settings: "Long Date", "Short Date",
// "Long Time" (hours, minutes, seconds), "Short Time" (HH:mm, 24-hour) and "Standard" (regional
// grouping, exactly two decimals). Literal pictures are written by this module: "dd.mm.yyyy"
// (30.01.1998), "yyyy.mm.dd" (1998.01.30, for sort keys), and "#..0", "#,,0", "#,#" (a whole
// number grouped with the regional thousands separator). Any other date or time pattern is handed
// to the platform as a picture; an empty pattern gives an empty text.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

// Patterns every date, time and byte text uses: "dd.mm.yyyy" or "Short Date"; "Long Time" or
// "Short Time"; "#..0" or "#,,0".
extern std::string DateFormat;
extern std::string TimeFormat;
extern std::string ByteFormat;

struct ListDateTexts {
    std::string DisplayText;   // exactly 20 characters
    std::string SortKey;       // exactly 20 characters
};
extern ListDateTexts ListDates;

// UTC file time -> local calendar values at that instant's own date (a summer time stamp reads in
// summer time even in winter); false when it cannot convert.
bool FileTimeToLocalCalendar(const FILETIME& fileTime, SYSTEMTIME& local);

// Local date/time text of a UTC file time: "(unknown)" for a file time whose high half is not
// positive, "(function failed)" when it cannot be converted. An empty time pattern gives the date
// alone.
std::string FileTimeToText(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern);

// Fills ListDates for one result row: DisplayText as FileTimeToText, SortKey as "yyyy.mm.dd" +
// " " + "Long Time". Both are cut or space padded to exactly 20 characters. When the file time
// cannot be converted both read "(function failed)", so no row keeps the previous row's key.
void FileTimeToListTexts(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern);
// The same texts, shared: rows of one instant (to the second) hold one pair between them.
std::shared_ptr<const ListDateTexts> SharedListTexts(const FILETIME& fileTime, const std::string& datePattern,
                                                     const std::string& timePattern);
// The texts of FileTimeToListTexts are kept for recent instants; a search starts with none, so a
// locale or time zone changed since the last one shows.
void ClearListTextCache();

// value formatted with datePattern + separator + value formatted with timePattern. The separator
// is left out when either pattern is empty. Only the calendar fields (not day of week or
// milliseconds) are used.
std::string DateTimeText(const SYSTEMTIME& value, const std::string& datePattern, const std::string& separator,
                         const std::string& timePattern);

// "512 bytes  (512 bytes)" below 1000; from 1000 on kilobytes (1024) with the second decimal cut,
// in "Standard", then the byte count in ByteFormat: "1.23 KB  (1,260 bytes)".
std::string SizeText(int64_t size);

// A whole number in one of the number patterns above ("Standard" adds ".00" in regional form);
// other patterns give plain decimal digits.
std::string NumberText(int64_t value, const std::string& pattern);

// Digits of value grouped as a Windows grouping text describes ("3;0" groups of three, "3;2;0"
// three then twos, "3" only the lowest three, "0" none), with thousandSep between the groups.
std::string GroupedNumber(int64_t value, const std::string& thousandSep, const std::string& grouping);

// The start-up probe: "#..0" where the formatter reads "," as the decimal mark, else "#,,0".
std::string ChooseByteFormat();

// The one date reader of the program: true when the text reads as a date (with or without a
// time), in any form DateTimeText writes, and in what the platform's lenient reader accepts.
// value gets the calendar fields and day of week; milliseconds are 0.
bool ReadDateText(const std::string& text, SYSTEMTIME& value);

// Regional facts the numeric part of the date reader works from.
struct DateReadingRules {
    enum class Order { MonthDayYear, DayMonthYear, YearMonthDay };
    Order order = Order::MonthDayYear;   // of the regional short date
    char dateSeparator = '/';            // regional, besides '.', '/' and '-'
    char timeSeparator = ':';            // regional, besides ':'
    std::string am = "AM";               // regional designators, besides AM and PM
    std::string pm = "PM";
    int twoDigitYearMax = 2029;          // a two-digit year yy reads as the latest year <= this
};
DateReadingRules UserDateReadingRules();

// Reads "<day, month, year in some order> [time]" with numbers only. Day-first is tried first for
// dotted dates (the "dd.mm.yyyy" picture), a four-digit first number means year first, otherwise
// the regional order decides. The time is h:mm or h:mm:ss, 24-hour or with a designator.
bool ReadNumericDate(const std::string& text, const DateReadingRules& rules, SYSTEMTIME& value);
