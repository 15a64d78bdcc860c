// The settings file: the number rules of a read, the defaults of a first run, placement,
// the fallback on bad values, and what a close writes.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/settings/profile.h"
#include "app/settings/settings.h"
#include "fileinfo/text_formats.h"
#include "search/results_list.h"
#include "support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <regex>

namespace {

RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

std::vector<int> Check1Values(FrmMain& form) {
    std::vector<int> values;
    for (HWND box : form.Check1) values.push_back(GetCheckValue(box));
    return values;
}

} // namespace

TEST(ProfileNumbers, LeadingNumberIsTheRuntimesPrefixParse) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"1", 1},     {"1.5", 1.5}, {"  -3x", -3}, {"abc", 0}, {"", 0},       {"+.5", 0.5},
                 {"12abc", 12}, {"-", 0},     {".", 0},      {"7.", 7},  {"\t42", 42}, {"3.25.1", 3.25}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(ProfileNumbers, AssignmentRoundsHalfToEvenAndChecksTheRange) {
    EXPECT_EQ(ToInt16(1.5), 2);
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(-1.5), -2);
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_THROW(ToInt16(32767.5), ProfileRangeError);
    EXPECT_THROW(ToInt16(40000), ProfileRangeError);
    EXPECT_EQ(ToInt32(40000), 40000);
    EXPECT_THROW(ToInt32(3e9), ProfileRangeError);
}

TEST(Settings, FirstRunAppliesDefaultsCentresAndWritesEveryKeyInOrder) {
    MainWindow w;
    EXPECT_EQ(Check1Values(*w), (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(GetCheckValue(w->Check2), 0);
    EXPECT_EQ(ColumnWidths, DefaultColumnWidths);
    EXPECT_EQ(DateFormat, "Short Date");
    EXPECT_EQ(TimeFormat, "Long Time");
    RECT r = WindowRect(w->hwnd);
    EXPECT_EQ((r.bottom - r.top) * TwipsPerPixel, 5310);
    int screenW = GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel, screenH = GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel;
    int widthT = (r.right - r.left) * TwipsPerPixel, heightT = (r.bottom - r.top) * TwipsPerPixel;
    EXPECT_EQ(r.left, (screenW - widthT) / 2 / TwipsPerPixel);
    EXPECT_EQ(r.top, (screenH - heightT) / 2 / TwipsPerPixel);
    EXPECT_EQ(ReadSettingsFile(), "") << "nothing is written while the program runs";

    w.Close();
    std::string file = ReadSettingsFile();
    const char* order[] = {"[Settings]", "ExistIni=1", "noMatter=0", "Folders=1", "Tips=1", "Beep=0", "Year=0",
                           "Secs=1", "showModified=0", "Truncate=1", "RemPos=0", "WinL=", "WinT=", "WinW=", "WinH=",
                           "DirW=126", "Col0=84", "Col1=104", "Col2=52", "[ExcludeFolders]", "Count=0", "Active=0"};
    size_t at = 0;
    for (const char* key : order) {
        size_t found = file.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order in\n" << file;
        at = found;
    }
}

TEST(Settings, StoredValuesAreReadWithTheNumberRules) {
    WriteSettingsFile("[Settings]\nExistIni=1\nTips=1.5\nFolders=abc\nYear=1\nSecs=0\nCol1=150\n");
    MainWindow w("", true);
    EXPECT_EQ(Settings.Tips, 2);
    EXPECT_EQ(GetCheckValue(w->Check1[1]), 2) << "a value of 2 shows grayed";
    EXPECT_EQ(Settings.Folders, 0);
    EXPECT_EQ(DateFormat, "dd.mm.yyyy");
    EXPECT_EQ(TimeFormat, "Short Time");
    EXPECT_EQ(ColumnWidths[1], 150);
    // From the first display on: the start-up date boxes are written in those patterns.
    EXPECT_TRUE(std::regex_match(GetText(w->txtDate[1]), std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d)")))
        << GetText(w->txtDate[1]);
}

TEST(Settings, AValueOutOfRangeFallsBackToTheDefaults) {
    WriteSettingsFile("[Settings]\nExistIni=1\nFolders=0\nTips=0\nYear=40000\nSecs=0\n");
    MainWindow w("", true);
    EXPECT_EQ(Check1Values(*w), (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1}));
    RECT r = WindowRect(w->hwnd);
    EXPECT_EQ((r.bottom - r.top) * TwipsPerPixel, 5310);
}

TEST(Settings, MissingExistIniResetsSettingsButKeepsExcludedFolders) {
    WriteSettingsFile("[Settings]\nFolders=0\nBeep=1\n[ExcludeFolders]\nCount=2\nActive=1\n"
                      "ExcludePath0=C:\\temp\nExcludePath1=C:\\windows\n");
    MainWindow w("", true);
    EXPECT_EQ(Settings.Folders, 1);
    EXPECT_EQ(Settings.Beep, 0);
    EXPECT_EQ(ComboBox_GetCount(w->cbxXclude), 2);
    EXPECT_EQ(GetListText(w->cbxXclude, 0, true), "C:\\temp");
    EXPECT_EQ(ComboBox_GetCurSel(w->cbxXclude), 0) << "the first entry is selected at start-up";
}

TEST(Settings, RemembersPlaceAndFolderListWidth) {
    WriteSettingsFile("[Settings]\nExistIni=1\nRemPos=1\nWinL=1500\nWinT=1200\nWinW=10500\nWinH=6000\nDirW=160\n");
    MainWindow w("", true);
    RECT r = WindowRect(w->hwnd);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 400);
    EXPECT_EQ(ControlWidth(w->Dir1), 160);
    EXPECT_EQ(ControlWidth(w->Drive1), 159);
    EXPECT_EQ(ControlLeft(w->File1), ControlLeft(w->Dir1) + 163);
    EXPECT_EQ(ControlLeft(w->Label2[3]), ControlLeft(w->File1));
}

TEST(Settings, AWindowOnASecondMonitorIsStillSaved) {
    MainWindow w;
    TabSwitchUpper(*w, 3);
    SendMessageA(w->Check1[4], BM_CLICK, 0, 0);   // "Beep when find done", changed in this run
    PumpMessages();
    ASSERT_EQ(Settings.Beep, 1);
    SetWindowPos(w->hwnd, nullptr, 2700, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    w.Close();
    std::string file = ReadSettingsFile();
    EXPECT_NE(file.find("Beep=1"), std::string::npos) << file;
    EXPECT_NE(file.find("WinL=40500"), std::string::npos) << file;
}

TEST(Settings, AMissingExcludeEntryIsSkipped) {
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=3\nActive=0\n"
                      "ExcludePath0=C:\\a\nExcludePath2=C:\\c\n");
    MainWindow w("", true);
    ASSERT_EQ(ComboBox_GetCount(w->cbxXclude), 2);
    EXPECT_EQ(GetListText(w->cbxXclude, 0, true), "C:\\a");
    EXPECT_EQ(GetListText(w->cbxXclude, 1, true), "C:\\c");
}

TEST(Settings, CloseWritesTheExcludeListAndCheckBoxes) {
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=1\nActive=1\nExcludePath0=C:\\a\n");
    MainWindow w("", true);
    TabSwitchUpper(*w, 3);
    SendMessageA(w->Check1[5], BM_CLICK, 0, 0);   // "Show 4-digit year"
    PumpMessages();
    EXPECT_EQ(DateFormat, "dd.mm.yyyy");
    w.Close();
    std::string file = ReadSettingsFile();
    EXPECT_NE(file.find("Year=1"), std::string::npos);
    EXPECT_NE(file.find("Count=1\r\nActive=1\r\nExcludePath0=C:\\a"), std::string::npos) << file;
}

TEST(Settings, AnOutOfRangeValueStillLeavesTheExcludeListToBeWrittenBack) {
    WriteSettingsFile("[Settings]\nExistIni=1\nTips=40000\n[ExcludeFolders]\nCount=1\nActive=1\nExcludePath0=C:\\a\n");
    MainWindow w("", true);
    EXPECT_EQ(ComboBox_GetCount(w->cbxXclude), 1);
    w.Close();
    EXPECT_NE(ReadSettingsFile().find("Count=1\r\nActive=1\r\nExcludePath0=C:\\a"), std::string::npos);
}

// A close that comes while start-up still waits on a message box, before the other pages exist.
TEST(Settings, ACloseBeforeTheExcludeListIsMadeKeepsTheFilesList) {
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=1\nActive=1\nExcludePath0=C:\\a\n");
    std::unique_ptr<FrmMain> form = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_TRUE(form && !form->cbxXclude);
    LoadSaveSettings(*form, false);
    DestroyWindow(form->hwnd);
    PumpMessages();
    EXPECT_NE(ReadSettingsFile().find("Count=1\r\nActive=1\r\nExcludePath0=C:\\a"), std::string::npos);
    RemoveSettingsFile();
}

TEST(Settings, AMissingOrNonPositiveColumnWidthTakesItsDefault) {
    WriteSettingsFile("[Settings]\nExistIni=1\nCol1=-5\nCol2=70\n");
    MainWindow w("", true);
    EXPECT_EQ(ColumnWidths, (std::array<int32_t, 3>{84, 104, 70}));
}

// Entries of any length a settings file holds start cleanly and are written back whole; one of
// a few hundred characters used to end the program before its window appeared.
TEST(Settings, LongExcludeEntriesStartCleanlyAndSurviveTheClose) {
    const std::string entries[] = {"C:\\" + std::string(600, 'a'), "C:\\" + std::string(1000, 'b'), "C:\\c"};
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=3\nActive=1\nExcludePath0=" + entries[0] +
                      "\nExcludePath1=" + entries[1] + "\nExcludePath2=" + entries[2] + "\n");
    MainWindow w("", true);
    ASSERT_EQ(ComboBox_GetCount(w->cbxXclude), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(GetListText(w->cbxXclude, i, true), entries[i]);
    w.Close();
    const std::string file = ReadSettingsFile();
    for (const std::string& entry : entries) EXPECT_NE(file.find("=" + entry + "\r\n"), std::string::npos);
}

// A file an earlier version wrote under Windows-1252 keeps its entries; the close writes them
// back as UTF-8 beside one that was UTF-8 already.
TEST(Settings, ALegacyPageExcludeEntryIsReadAndWrittenBackAsUtf8) {
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=2\nActive=1\n"
                      "ExcludePath0=C:\\Donn\xE9" "es\\\nExcludePath1=\"C:\\\xD0\x94\xD0\xB0\\\"\n");
    MainWindow w("", true);
    ASSERT_EQ(ComboBox_GetCount(w->cbxXclude), 2);
    EXPECT_EQ(GetListText(w->cbxXclude, 0, true), "C:\\Donn\xC3\xA9" "es\\");
    EXPECT_EQ(GetListText(w->cbxXclude, 1, true), "C:\\\xD0\x94\xD0\xB0\\");
    w.Close();
    const std::string file = ReadSettingsFile();
    EXPECT_NE(file.find("ExcludePath0=C:\\Donn\xC3\xA9" "es\\\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ExcludePath1=C:\\\xD0\x94\xD0\xB0\\\r\n"), std::string::npos) << file;
}
