// File times against local calendar values (the suite runs in Europe/Berlin) and the existence test.
#include <gtest/gtest.h>

#include "support/calendar.h"

#include "fileinfo/file_times.h"
#include "fileinfo/text_formats.h"
#include "shell/registry.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

namespace {

uint64_t Ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

uint64_t UtcTicks(int year, int month, int day, int hour, int minute, int second, int ms) {
    SYSTEMTIME utc = Calendar(year, month, day, hour, minute, second, ms);
    FILETIME time = {};
    EXPECT_TRUE(SystemTimeToFileTime(&utc, &time));
    return Ticks(time);
}

FILETIME FileTimeOf(uint64_t ticks) { return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

// The two user patterns are program-wide; every test leaves them as it found them.
class DatePatterns : public testing::Test {
protected:
    void TearDown() override {
        DateFormat = savedDate_;
        TimeFormat = savedTime_;
    }

private:
    std::string savedDate_ = DateFormat;
    std::string savedTime_ = TimeFormat;
};

} // namespace

// Each instant uses the bias of its own date, whatever the date is today.
TEST(FileTimeToLocalCalendar, SummerAndWinterInstants) {
    struct Case { int month; int localHour; };
    for (Case c : {Case{7, 14}, Case{1, 13}}) {
        SYSTEMTIME local = {};
        ASSERT_TRUE(FileTimeToLocalCalendar(FileTimeOf(UtcTicks(2020, c.month, 15, 12, 0, 0, 0)), local));
        EXPECT_EQ(2020, local.wYear);
        EXPECT_EQ(c.month, local.wMonth);
        EXPECT_EQ(15, local.wDay);
        EXPECT_EQ(c.localHour, local.wHour) << "month " << c.month;
        EXPECT_EQ(0, local.wMinute);
    }
    // Across the change to summer time (29 March 2020, 01:00 UTC).
    SYSTEMTIME local = {};
    ASSERT_TRUE(FileTimeToLocalCalendar(FileTimeOf(UtcTicks(2020, 3, 29, 0, 59, 0, 0)), local));
    EXPECT_EQ(1, local.wHour);
    ASSERT_TRUE(FileTimeToLocalCalendar(FileTimeOf(UtcTicks(2020, 3, 29, 1, 0, 0, 0)), local));
    EXPECT_EQ(3, local.wHour);
}

TEST(FileTimeToLocalCalendar, TextOfSummerAndWinterTimes) {
    EXPECT_EQ("2020.07.15 14:00", FileTimeToText(FileTimeOf(UtcTicks(2020, 7, 15, 12, 0, 0, 0)), "yyyy.mm.dd", "Short Time"));
    EXPECT_EQ("2020.01.15 13:00", FileTimeToText(FileTimeOf(UtcTicks(2020, 1, 15, 12, 0, 0, 0)), "yyyy.mm.dd", "Short Time"));
}

TEST_F(DatePatterns, UnknownGivesZeroTime) {
    FILETIME time = {1, 1};
    EXPECT_EQ("(unknown)", DateTextToFileTime("(unknown)", time, 0, 0));
    EXPECT_EQ(0u, Ticks(time));
}

// A date text written under either option reads back as the same instant, converted with the bias
// of its own date, and comes back written in the current patterns.
TEST_F(DatePatterns, RoundTripsUnderBothOptions) {
    struct Instant { SYSTEMTIME local; uint64_t utc; };
    const Instant instants[] = {
        {Calendar(2020, 7, 15, 14, 0, 30), UtcTicks(2020, 7, 15, 12, 0, 30, 0)},
        {Calendar(2020, 1, 15, 13, 0, 30), UtcTicks(2020, 1, 15, 12, 0, 30, 0)},
        {Calendar(2021, 12, 3, 0, 0, 1), UtcTicks(2021, 12, 2, 23, 0, 1, 0)},
    };
    for (const char* date : {"dd.mm.yyyy", "Short Date"}) {
        for (const char* time : {"Long Time", "Short Time"}) {
            DateFormat = date;
            TimeFormat = time;
            for (const Instant& instant : instants) {
                std::string text = DateTimeText(instant.local, DateFormat, " ", "Long Time");
                FILETIME read = {};
                EXPECT_EQ(DateTimeText(instant.local, DateFormat, " ", TimeFormat), DateTextToFileTime(text, read, 0, 0))
                    << text;
                EXPECT_EQ(instant.utc, Ticks(read)) << text;
            }
        }
    }
}

TEST_F(DatePatterns, AccessedModeDropsTheTimeAndMillisecondsAreKept) {
    DateFormat = "dd.mm.yyyy";
    TimeFormat = "Long Time";
    struct Case { const char* text; int16_t mode; int16_t ms; uint64_t utc; };
    const Case cases[] = {
        {"15.07.2020 14:05:09", 2, 999, UtcTicks(2020, 7, 14, 22, 0, 0, 999)},
        {"15.07.2020 14:05:09", 2, 0, UtcTicks(2020, 7, 14, 22, 0, 0, 0)},
        {"15.01.2020 14:05:09", 2, 999, UtcTicks(2020, 1, 14, 23, 0, 0, 999)},
        {"15.01.2020 14:05:09", 0, 999, UtcTicks(2020, 1, 15, 13, 5, 9, 999)},
        {"15.01.2020", 1, 0, UtcTicks(2020, 1, 14, 23, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        FILETIME read = {};
        LastApiResult = 0;
        DateTextToFileTime(c.text, read, c.mode, c.ms);
        EXPECT_EQ(c.utc, Ticks(read)) << c.text << " mode " << c.mode;
        EXPECT_NE(0, LastApiResult);
    }
}

TEST_F(DatePatterns, UnreadableTextGivesZeroTime) {
    FILETIME time = {1, 1};
    EXPECT_EQ("not a date", DateTextToFileTime("not a date", time, 0, 0));
    EXPECT_EQ(0u, Ticks(time));
}

TEST(FileExists, FilesAndFoldersExistMissingPathsAreReported) {
    TempDir temp;
    std::string file = temp.MakeFile("a.txt", "x");
    std::string folder = temp.MakeFolder("sub");
    PromptRecorder prompts;
    EXPECT_TRUE(FileExists(temp.Path(), true));                   // ends in "\"
    EXPECT_TRUE(FileExists(folder, true));
    EXPECT_TRUE(FileExists(file, true));
    EXPECT_TRUE(prompts.shown.empty());

    std::string missing = temp.Path() + "missing";
    EXPECT_FALSE(FileExists(missing + "\\", false));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(FileExists(missing + "\\", true));
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("The file '" + missing + "' does not exist.", prompts.shown[0].text);
    EXPECT_EQ(AppTitle, prompts.shown[0].title);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), prompts.shown[0].flags & MB_ICONMASK);

    EXPECT_FALSE(FileExists("", false));
}
