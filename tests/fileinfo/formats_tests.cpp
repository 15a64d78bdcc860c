// Date, time and size texts under the user's regional settings. The program runs once under
// en-US and once under de-DE; each case carries the text expected under both.
#include <gtest/gtest.h>

#include "support/calendar.h"

#include "fileinfo/text_formats.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool German() { return PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_GERMAN; }

const char* Pick(const char* english, const char* german) { return German() ? german : english; }

FILETIME FromUtc(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME utc = Calendar(year, month, day, hour, minute, second);
    FILETIME result = {};
    EXPECT_TRUE(SystemTimeToFileTime(&utc, &result));
    return result;
}

void ExpectSameInstant(const SYSTEMTIME& expected, const SYSTEMTIME& actual, const std::string& text) {
    EXPECT_EQ(expected.wYear, actual.wYear) << text;
    EXPECT_EQ(expected.wMonth, actual.wMonth) << text;
    EXPECT_EQ(expected.wDay, actual.wDay) << text;
    EXPECT_EQ(expected.wHour, actual.wHour) << text;
    EXPECT_EQ(expected.wMinute, actual.wMinute) << text;
    EXPECT_EQ(expected.wSecond, actual.wSecond) << text;
}

} // namespace

// Guards the second CTest entry: it must really run under German settings.
TEST(Locale, IsTheOneAskedFor) {
    const char* lang = std::getenv("PLOVNIK_LANG");
    LCID expected = lang && std::string(lang).rfind("de_DE", 0) == 0 ? 0x0407 : 0x0409;
    EXPECT_EQ(expected, GetUserDefaultLCID());
}

TEST(SizeText, SmallCountsInBytesLargerInCutKilobytes) {
    struct Case { int64_t size; const char* english; const char* german; };
    const Case cases[] = {
        {0, "0 bytes  (0 bytes)", "0 bytes  (0 bytes)"},
        {512, "512 bytes  (512 bytes)", "512 bytes  (512 bytes)"},
        {999, "999 bytes  (999 bytes)", "999 bytes  (999 bytes)"},
        {1000, "0.97 KB  (1,000 bytes)", "0,97 KB  (1.000 bytes)"},
        {1023, "0.99 KB  (1,023 bytes)", "0,99 KB  (1.023 bytes)"},
        {1260, "1.23 KB  (1,260 bytes)", "1,23 KB  (1.260 bytes)"},
        {1048575, "1,023.99 KB  (1,048,575 bytes)", "1.023,99 KB  (1.048.575 bytes)"},
        {5368709120LL, "5,242,880.00 KB  (5,368,709,120 bytes)", "5.242.880,00 KB  (5.368.709.120 bytes)"},
        {9223372036854775807LL, "9,007,199,254,740,991.99 KB  (9,223,372,036,854,775,807 bytes)",
         "9.007.199.254.740.991,99 KB  (9.223.372.036.854.775.807 bytes)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Pick(c.english, c.german), SizeText(c.size)) << c.size;
}

TEST(ByteFormat, ProbeFollowsTheDecimalMark) {
    EXPECT_EQ(Pick("#,,0", "#..0"), ChooseByteFormat());
    // Whichever pattern the probe chooses, byte counts come out grouped the regional way.
    for (const char* pattern : {"#,,0", "#..0", "#,#"})
        EXPECT_EQ(Pick("1,260", "1.260"), NumberText(1260, pattern)) << pattern;
    EXPECT_EQ(Pick("5.00", "5,00"), NumberText(5, "Standard"));
}

TEST(GroupedNumber, FollowsTheGroupingText) {
    struct Case { int64_t value; const char* separator; const char* grouping; const char* expected; };
    const Case cases[] = {
        {0, ",", "3;0", "0"},
        {999, ",", "3;0", "999"},
        {1000, ",", "3;0", "1,000"},
        {-1234567, ".", "3;0", "-1.234.567"},
        {123456789, ",", "3;2;0", "12,34,56,789"},
        {1234567, ",", "3", "1234,567"},
        {1234567, ",", "0", "1234567"},
        {1234567, ",", "", "1234567"},
        {1234567, "'", "3;0", "1'234'567"},
        {INT64_MIN, ",", "3;0", "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, GroupedNumber(c.value, c.separator, c.grouping)) << c.value << " " << c.grouping;
}

TEST(DateTimeText, LiteralAndRegionalPatterns) {
    SYSTEMTIME value = Calendar(1998, 1, 30, 14, 5, 9);
    value.wDayOfWeek = 6;            // stale: the text must not depend on it
    value.wMilliseconds = 4321;      // out of range: likewise
    struct Case { const char* date; const char* separator; const char* time; const char* english; const char* german; };
    const Case cases[] = {
        {"dd.mm.yyyy", " ", "Long Time", "30.01.1998 2:05:09 PM", "30.01.1998 14:05:09"},
        {"dd.mm.yyyy", " ", "Short Time", "30.01.1998 14:05", "30.01.1998 14:05"},
        {"yyyy.mm.dd", " ", "Long Time", "1998.01.30 2:05:09 PM", "1998.01.30 14:05:09"},
        {"Short Date", " ", "Short Time", "1/30/1998 14:05", "30.1.1998 14:05"},
        {"Long Date", ", ", "Short Time", "Friday, January 30, 1998, 14:05", "Freitag, 30. Januar 1998, 14:05"},
        {"dd.mm.yyyy", " ", "", "30.01.1998", "30.01.1998"},
        {"", " ", "Short Time", "14:05", "14:05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pick(c.english, c.german), DateTimeText(value, c.date, c.separator, c.time)) << c.date << "|" << c.time;

    // Short Time is 24-hour with two-digit hours in the morning too.
    EXPECT_EQ("09:07", DateTimeText(Calendar(2020, 7, 4, 9, 7, 0), "", "", "Short Time"));
}

TEST(FileTimeTexts, UnusableTimesAreUnknown) {
    for (DWORD high : {0u, 0x80000000u, 0xFFFFFFFFu}) {
        FILETIME time = {12345, high};
        EXPECT_EQ("(unknown)", FileTimeToText(time, "Long Date", "Long Time")) << high;
        ListDates = {"stale", "stale"};
        FileTimeToListTexts(time, "dd.mm.yyyy", "Long Time");
        EXPECT_EQ("(unknown)           ", ListDates.DisplayText);
        EXPECT_EQ("(unknown)           ", ListDates.SortKey);
    }
}

TEST(FileTimeTexts, LocalTimeAndFixedWidthListTexts) {
    FILETIME winter = FromUtc(2020, 1, 15, 12, 0, 0);   // 13:00 in Berlin
    EXPECT_EQ(Pick("Wednesday, January 15, 2020 1:00:00 PM", "Mittwoch, 15. Januar 2020 13:00:00"),
              FileTimeToText(winter, "Long Date", "Long Time"));
    EXPECT_EQ(Pick("Wednesday, January 15, 2020", "Mittwoch, 15. Januar 2020"), FileTimeToText(winter, "Long Date", ""));

    FileTimeToListTexts(winter, "Long Date", "Long Time");
    EXPECT_EQ(Pick("Wednesday, January 1", "Mittwoch, 15. Januar"), ListDates.DisplayText);
    EXPECT_EQ(Pick("2020.01.15 1:00:00 P", "2020.01.15 13:00:00 "), ListDates.SortKey);

    FileTimeToListTexts(winter, "dd.mm.yyyy", "");
    EXPECT_EQ("15.01.2020          ", ListDates.DisplayText);
    EXPECT_EQ(20u, ListDates.SortKey.size());
}

// The kept texts of recent instants never stand for another second: instants that share a
// slot, the same second again, and a changed pattern each give what the locale writes for them.
TEST(FileTimeTexts, ListTextsOfManyInstantsAreEachTheirOwn) {
    const FILETIME base = FromUtc(2021, 3, 28, 0, 0, 0);   // across the change to summer time
    const uint64_t start = (static_cast<uint64_t>(base.dwHighDateTime) << 32) | base.dwLowDateTime;
    for (const char* time : {"Long Time", "Short Time"})
        for (uint64_t step = 0; step < 3000; ++step) {
            const uint64_t ticks = start + (step % 1500) * 7 * 10000000ull + step % 3;
            const FILETIME at = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
            SYSTEMTIME local = {};
            ASSERT_TRUE(FileTimeToLocalCalendar(at, local));
            FileTimeToListTexts(at, "dd.mm.yyyy", time);
            std::string expected = DateTimeText(local, "dd.mm.yyyy", " ", time);
            expected.resize(20, ' ');
            ASSERT_EQ(expected, ListDates.DisplayText) << step;
        }
}

// Everything DateTimeText writes under either date option, with or without a time, reads back.
TEST(ReadDateText, ReadsBackWhatTheProgramWrites) {
    const SYSTEMTIME instants[] = {
        Calendar(1998, 1, 30, 14, 5, 9),
        Calendar(2021, 12, 3, 0, 0, 1),      // day and month both below 13
        Calendar(2000, 2, 29, 12, 59, 59),
        Calendar(2020, 7, 4, 9, 7, 0),
    };
    for (const SYSTEMTIME& instant : instants) {
        for (const char* date : {"dd.mm.yyyy", "Short Date", "Long Date"}) {
            for (const char* time : {"Long Time", "Short Time", ""}) {
                std::string text = DateTimeText(instant, date, " ", time);
                SYSTEMTIME expected = instant;
                if (std::string(time) == "Short Time") expected.wSecond = 0;
                if (std::string(time).empty()) expected.wHour = expected.wMinute = expected.wSecond = 0;
                SYSTEMTIME read = {};
                ASSERT_TRUE(ReadDateText(text, read)) << text;
                ExpectSameInstant(expected, read, text);
            }
        }
    }
}

TEST(ReadDateText, DayOfWeekFilledAndNonDatesRefused) {
    SYSTEMTIME read = {};
    ASSERT_TRUE(ReadDateText("  30.01.1998  ", read));
    EXPECT_EQ(5, read.wDayOfWeek);   // a Friday
    for (const char* text : {"", "abc", "31.02.1998", "30.01.1998 25:00", "30.01.1998x"})
        EXPECT_FALSE(ReadDateText(text, read)) << text;
}

TEST(ReadNumericDate, RegionalOrderAndForms) {
    DateReadingRules us;
    DateReadingRules british;
    british.order = DateReadingRules::Order::DayMonthYear;
    DateReadingRules japanese;
    japanese.order = DateReadingRules::Order::YearMonthDay;
    DateReadingRules korean = japanese;
    korean.am = "AM*";
    korean.pm = "PM*";
    DateReadingRules finnish = british;
    finnish.timeSeparator = '.';

    struct Case { const DateReadingRules* rules; const char* text; SYSTEMTIME expected; };
    const Case cases[] = {
        {&us, "03/12/2021", Calendar(2021, 3, 12)},
        {&british, "03/12/2021", Calendar(2021, 12, 3)},
        {&us, "03.12.2021", Calendar(2021, 12, 3)},           // dotted is day first
        {&japanese, "30.01.1998 14:05", Calendar(1998, 1, 30, 14, 5)},
        {&japanese, "2021/12/03 9:07:05", Calendar(2021, 12, 3, 9, 7, 5)},
        {&us, "1998-01-30", Calendar(1998, 1, 30)},
        {&us, "1/30/98", Calendar(1998, 1, 30)},
        {&us, "1/30/29", Calendar(2029, 1, 30)},
        {&us, "1/30/30", Calendar(1930, 1, 30)},
        {&us, "1/30/1998 12:00:00 AM", Calendar(1998, 1, 30, 0, 0, 0)},
        {&us, "1/30/1998 12:30 pm", Calendar(1998, 1, 30, 12, 30, 0)},
        {&korean, "1998-01-30 PM* 2:05:09", Calendar(1998, 1, 30, 14, 5, 9)},
        {&finnish, "30.1.1998 14.05.09", Calendar(1998, 1, 30, 14, 5, 9)},
        {&us, "1998. 01. 30.", Calendar(1998, 1, 30)},
    };
    for (const Case& c : cases) {
        SYSTEMTIME read = {};
        ASSERT_TRUE(ReadNumericDate(c.text, *c.rules, read)) << c.text;
        ExpectSameInstant(c.expected, read, c.text);
    }
    for (const char* text : {"1/30/1998 13:00 PM", "1/30/1998 0:00 AM", "1/30/1998 14:5", "1/30/1998 14:05:09:01",
                             "1/30/1998 XM 2:05", "30/1/1998", "1/30.1998", "12345.1.1", "1.1.1500", "1/30/198",
                             "1/30/1998 14:05 PM AM", "1/30/199814:05"})
        EXPECT_FALSE([&] { SYSTEMTIME read = {}; return ReadNumericDate(text, us, read); }()) << text;
}
