// The Find Files page: the decisions over its inputs, and the Find command, the period menu and
// the option and attribute boxes on the real window.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/settings/settings.h"
#include "fileinfo/text_formats.h"
#include "search/exclude_list.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "search/search_criteria.h"
#include "support/clipboard.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <string_view>
#include <vector>

namespace {

// ---- decisions over values ----

TEST(SearchPattern, FirstPatternTrimmedAndDotEnding) {
    const struct {
        const char* text;
        const char* pattern;
    } cases[] = {
        {"*.txt", "*.txt"},        {"  *.txt  ", "*.txt"},   {"", "*.*"},           {"   ", "*.*"},
        {"*.txt;*.doc", "*.txt"},  {" *.txt ; *.doc", "*.txt"}, {";*.doc", "*.*"},
        {"readme.", "readme.*"},   {" readme. ", "readme.*"}, {"a.txt;b.", "a.txt"}, {"b.;a.txt", "b.*"},
    };
    for (const auto& c : cases) EXPECT_EQ(SearchPattern(c.text), c.pattern) << '"' << c.text << '"';
}

TEST(LookIn, CodesAndStartFolders) {
    EXPECT_EQ(LookInCode(-1, "C:"), 3);
    EXPECT_EQ(LookInCode(-1, "C:\\"), 3);
    EXPECT_EQ(LookInCode(-1, "C:\\x"), 0);
    EXPECT_EQ(LookInCode(2, "System (C:)"), 2);
    EXPECT_EQ(LookInCode(1, "My Computer"), 1);

    using List = std::vector<std::string>;
    EXPECT_EQ(StartFolders(1, "My Computer", std::string("C:\\\0D:\\\0", 8)), (List{"C:\\", "D:\\"}));
    EXPECT_EQ(StartFolders(1, "My Computer", std::string("C:\\\0\0D:\\\0", 9)), (List{"C:\\"}));
    EXPECT_EQ(StartFolders(1, "My Computer", ""), List{});
    EXPECT_EQ(StartFolders(2, "System (C:)", ""), (List{"C:\\"}));
    EXPECT_EQ(StartFolders(2, "Disk (two) (D:)", ""), (List{"D:\\"}));
    EXPECT_EQ(StartFolders(2, "no drive here", ""), List{});
    EXPECT_EQ(StartFolders(3, "C:", ""), (List{"C:\\"}));
    EXPECT_EQ(StartFolders(3, "C:\\", ""), (List{"C:\\"}));
    EXPECT_EQ(StartFolders(0, "C:\\Temp", ""), (List{"C:\\Temp"}));
}

TEST(CheckDateRange, DatesFrom1900AndUnknown) {
    const std::string good = "15.06.2000 12:00:00";
    EXPECT_EQ(CheckDateRange(good, good), DateRangeCheck::Valid);
    EXPECT_EQ(CheckDateRange("01.01.1900 00:00:00", good), DateRangeCheck::Valid);
    EXPECT_EQ(CheckDateRange("31.12.1899 23:59:59", good), DateRangeCheck::InvalidFrom);
    EXPECT_EQ(CheckDateRange(good, "01.01.1899"), DateRangeCheck::InvalidTo);
    EXPECT_EQ(CheckDateRange("garbage", good), DateRangeCheck::InvalidFrom);
    EXPECT_EQ(CheckDateRange(good, "garbage"), DateRangeCheck::InvalidTo);
    // A non-date with a lower-case "u" anywhere means unknown, whatever the other box holds.
    EXPECT_EQ(CheckDateRange("(unknown)", "garbage"), DateRangeCheck::Unknown);
    EXPECT_EQ(CheckDateRange(good, "unbekannt"), DateRangeCheck::Unknown);
    EXPECT_EQ(CheckDateRange("UNKNOWN", good), DateRangeCheck::InvalidFrom);
}

TEST(AttributeSelection, MaskAndTextInBoxOrder) {
    uint32_t mask = 99;
    std::string text = "old";
    AttributeSelection({0, 1, 1, 0, 0}, mask, text);
    EXPECT_EQ(mask, 0x22u);
    EXPECT_EQ(text, "Hidden. Archive. ");
    AttributeSelection({1, 0, 0, 2, 1}, mask, text);   // a grayed box counts as checked
    EXPECT_EQ(mask, 0x15u);
    EXPECT_EQ(text, "Read-only. System. Folder. ");
    AttributeSelection({0, 0, 0, 0, 0}, mask, text);
    EXPECT_EQ(mask, 0u);
    EXPECT_EQ(text, "");
}

TEST(ReportText, CriteriaHeaderExactly) {
    EXPECT_EQ(BuildReportText("NOW", "No matter", "Hidden. ", "*.txt", "C:\\Temp", true),
              "Search Results from: NOW\r\nCriteria:\r\n  Date: \tNo matter\r\n  Attr: \tHidden. \r\n"
              "  Name:  \t*.txt\r\n  Location:  \tC:\\Temp (Subfolders incl.)");
    EXPECT_EQ(BuildReportText("N", "D", "", "x", "L", false),
              "Search Results from: N\r\nCriteria:\r\n  Date: \tD\r\n  Attr: \t\r\n  Name:  \tx\r\n  Location:  \tL");
}

int64_t Seconds(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return static_cast<int64_t>((static_cast<uint64_t>(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 10000000);
}

// ---- the page on the real window ----

struct FindPage : testing::Test {
    PromptRecorder prompts;
    BeepRecorder beeps;
    TempDir dir;
    MainWindow w;

    void SetUp() override {
        Settings.Folders = 0;
        Settings.showModified = 0;
        Settings.Truncate = 0;
        Settings.Beep = 0;
        ExcludeString.clear();
        TabSwitchUpper(*w, 2);
    }
    void TearDown() override {
        StopRequested = false;
        FoundCount = 0;
        FoundTable.clear();
        RequiredAttributes = 0;
        AttributeText.clear();
    }

    void Command(int id, HWND control = nullptr, int code = BN_CLICKED) {
        SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        PumpMessages();
    }
    void Click(HWND button) {
        SendMessageA(button, BM_CLICK, 0, 0);
        PumpMessages();
    }
    void LookIn(const std::string& text) {
        ComboBox_SetCurSel(w->Combo2, -1);
        SetText(w->Combo2, text);
    }
    void NoMatterWhatDate() {
        SetCheckValue(w->Check2, 1);
        Check2_Changed(*w);
    }
    void FindNow() { Command(ID_CMDFIND, w->cmdFind); }

    std::vector<std::string> FoundNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < FoundCount; ++i) names.push_back(FoundTable[static_cast<size_t>(i)][0]);
        std::sort(names.begin(), names.end());
        return names;
    }
};

using List = std::vector<std::string>;

bool Enabled(HWND control) { return IsWindowEnabled(control) != FALSE; }
bool Shown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST_F(FindPage, FindInAFolderListsRestoresAndReports) {
    dir.MakeFile("ReadMe.TXT", "x");
    dir.MakeFile("sub\\b.dat");
    Settings.Beep = 1;
    NoMatterWhatDate();
    LookIn(dir.Path());
    SortColumn = 2;
    FindNow();

    EXPECT_TRUE(prompts.shown.empty()) << prompts.shown[0].text;
    EXPECT_EQ(SortColumn, -1);
    EXPECT_EQ(FoundNames(), (List{"b.dat", "readme.txt"}));
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 2);
    EXPECT_EQ(GetText(w->labFound), "2 object(s)");
    EXPECT_EQ(GetText(w->hwnd), "Plovnik - " + dir.Path());
    EXPECT_EQ(GetText(w->labCol[1]), " Created");
    EXPECT_EQ(w->CurrentRightTab, 1);
    EXPECT_TRUE(w->DefaultIsFind);
    EXPECT_TRUE(Enabled(w->cmdFind) && Enabled(w->Combo2) && Enabled(w->chkIncludeSubs));
    EXPECT_FALSE(Enabled(w->cmdStop));
    EXPECT_FALSE(Shown(w->labSearching));
    // The typed folder joins the Look-in list.
    EXPECT_NE(ComboBox_FindStringExact(w->Combo2, -1, dir.Path().c_str()), CB_ERR);
    EXPECT_EQ(beeps.beeps, 1);

    std::vector<std::string> lines = Lines(ReportText);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("Search Results from: ", 0), 0u);
    EXPECT_GT(lines[0].size(), std::string("Search Results from: ").size());
    EXPECT_EQ(lines[1], "Criteria:");
    EXPECT_EQ(lines[2], "  Date: \tNo matter");
    EXPECT_EQ(lines[3], "  Attr: \t");
    EXPECT_EQ(lines[4], "  Name:  \t*.*");
    EXPECT_EQ(lines[5], "  Location:  \t" + dir.Path() + " (Subfolders incl.)");

    // Without subfolders, and with the modified header when that is always shown.
    Settings.Beep = 0;
    Settings.showModified = 1;
    Click(w->chkIncludeSubs);
    FindNow();
    EXPECT_EQ(FoundNames(), (List{"readme.txt"}));
    EXPECT_EQ(GetText(w->labCol[1]), " Modified");
    EXPECT_EQ(Lines(ReportText).back(), "  Location:  \t" + dir.Path());
    EXPECT_EQ(beeps.beeps, 1);
}

TEST_F(FindPage, NamePatternRules) {
    dir.MakeFile("readme.txt");
    dir.MakeFile("readme");
    dir.MakeFile("a.txt");
    dir.MakeFile("b.dat");
    NoMatterWhatDate();
    LookIn(dir.Path());
    const struct {
        const char* typed;
        const char* shown;
        List found;
    } cases[] = {
        {"readme.", "readme.*", {"readme", "readme.txt"}},
        {"*.txt; *.dat", "*.txt", {"a.txt", "readme.txt"}},
        {"  *.DAT ", "*.DAT", {"b.dat"}},
        {"", "*.*", {"a.txt", "b.dat", "readme", "readme.txt"}},
    };
    for (const auto& c : cases) {
        SetText(w->Combo1, c.typed);
        FindNow();
        EXPECT_EQ(GetText(w->Combo1), c.shown) << c.typed;
        EXPECT_EQ(FoundNames(), c.found) << c.typed;
    }
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_NE(ComboBox_FindStringExact(w->Combo1, -1, "readme.*"), CB_ERR);

    // A name no file can have stops the command before anything changes.
    SetText(w->Combo1, "a|b");
    FindNow();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "This filename is invalid. Type a valid filename.");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 4);
}

// Answers like the real box: it disables its owner, takes the focus and runs its own message
// loop while it is up, then gives the focus back.
struct BoxLikePrompt final : Prompt {
    std::vector<std::string> shown;
    BoxLikePrompt() { SetPrompt(this); }
    ~BoxLikePrompt() override { SetPrompt(nullptr); }
    int Show(HWND owner, const std::string& text, const std::string&, UINT) override {
        shown.push_back(text);
        HWND before = GetFocus();
        if (owner) EnableWindow(owner, FALSE);
        HWND box = CreateWindowExA(0, "BUTTON", "OK", WS_POPUP | WS_VISIBLE, 0, 0, 60, 24, owner, nullptr, nullptr, nullptr);
        SetFocus(box);
        PumpMessages();
        if (owner) EnableWindow(owner, TRUE);
        DestroyWindow(box);
        SetFocus(before);
        return IDOK;
    }
};

bool FocusIn(HWND control) {
    HWND focus = GetFocus();
    return focus && (focus == control || IsChild(control, focus));
}

TEST_F(FindPage, InvalidNameGivesOneMessagePerActionAndNoneOnClosing) {
    BoxLikePrompt boxes;
    NoMatterWhatDate();
    LookIn(dir.Path());
    SetText(w->Combo1, "a|b");
    SetFocus(w->Combo1);
    ASSERT_TRUE(FocusIn(w->Combo1));

    // Enter in the box starts the Find command, whose check shows the message.
    MSG enter = {GetFocus(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    ProcessMessage(*w, enter);
    PumpMessages();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(FocusIn(w->Combo1));

    // Moving to another control checks once and brings the focus back.
    SetFocus(w->chkIncludeSubs);
    PumpMessages();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(FocusIn(w->Combo1));

    w.Close();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_FALSE(IsWindow(w->hwnd));
    for (const std::string& text : boxes.shown) EXPECT_EQ(text, "This filename is invalid. Type a valid filename.");
}

TEST_F(FindPage, LookInChecks) {
    NoMatterWhatDate();
    const std::string missing = dir.Path() + "nope";
    LookIn(missing);
    FindNow();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "The folder '" + missing + "' does not exist.\r\nCheck the folder name and try again.");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(GetText(w->labFound), "");
    EXPECT_TRUE(Enabled(w->cmdFind));

    // A file is not a folder to search in either.
    const std::string file = dir.MakeFile("plain.txt");
    LookIn(file);
    FindNow();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].text.rfind("The folder '" + file + "' does not exist.", 0), 0u);

    // A short typed drive is searched as its root, without an existence test.
    Click(w->chkIncludeSubs);
    SetText(w->Combo1, "no-such-file.none");
    LookIn("C:");
    FindNow();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(GetText(w->labSearching), "0 C:\\");
    EXPECT_EQ(GetText(w->labFound), "0 object(s)");

    // An empty Look-in text does nothing.
    LookIn("");
    SetText(w->labFound, "untouched");
    FindNow();
    EXPECT_EQ(GetText(w->labFound), "untouched");
}

TEST_F(FindPage, DateBoxChecks) {
    LookIn(dir.Path());
    const struct {
        const char* from;
        const char* to;
        bool refused;
    } cases[] = {
        {"01.01.2000 00:00:00", "01.06.1899 00:00:00", true},
        {"01.01.2000 00:00:00", "unbekannt", false},
    };
    for (const auto& c : cases) {
        prompts.shown.clear();
        SetText(w->txtDate[0], c.from);
        SetText(w->txtDate[1], c.to);
        FindNow();
        if (c.refused) {
            ASSERT_EQ(prompts.shown.size(), 1u) << c.from << " / " << c.to;
            EXPECT_EQ(prompts.shown[0].text, "You must specify a valid date range.");
            EXPECT_EQ(GetText(w->txtDate[0]), c.from);
        } else {
            EXPECT_TRUE(prompts.shown.empty()) << c.from << " / " << c.to;
            EXPECT_EQ(GetText(w->txtDate[0]), "(unknown)");
            EXPECT_EQ(GetText(w->txtDate[1]), "(unknown)");
            EXPECT_EQ(DateText, "Created between (unknown) and (unknown)");
        }
    }
}

TEST_F(FindPage, DateRangeFindsByTheChosenTime) {
    const std::string file = dir.MakeFile("old.txt");
    SYSTEMTIME utc = {2001, 2, 0, 3, 11, 0, 0, 0};   // 12:00 in Berlin
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &stamp);
    CloseHandle(h);
    dir.MakeFile("new.txt");

    LookIn(dir.Path());
    Click(w->Option1[1]);   // modified
    SetText(w->txtDate[0], "03.02.2001 12:00:00");
    SetText(w->txtDate[1], "03.02.2001 12:00:00");
    FindNow();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(FoundNames(), (List{"old.txt"}));
    EXPECT_EQ(DateText.rfind("Modified between ", 0), 0u) << DateText;
    EXPECT_EQ(GetText(w->labCol[1]), " Modified");

    SetText(w->txtDate[0], "03.02.2001 12:00:01");
    SetText(w->txtDate[1], "04.02.2001 00:00:00");
    FindNow();
    EXPECT_EQ(FoundNames(), List{});
}

TEST_F(FindPage, AccessedTakesTheWholeLastDay) {
    const std::string file = dir.MakeFile("read.txt");
    SYSTEMTIME utc = {2001, 2, 0, 3, 14, 0, 0, 0};   // the afternoon of the last day, in any zone near UTC
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, &stamp, nullptr);
    CloseHandle(h);

    LookIn(dir.Path());
    Click(w->Option1[2]);   // accessed
    SetText(w->txtDate[0], "02.02.2001 12:00:00");
    SetText(w->txtDate[1], "03.02.2001 12:00:00");
    FindNow();
    EXPECT_EQ(FoundNames(), (List{"read.txt"}));
    EXPECT_NE(GetText(w->txtDate[1]).find("12:00:00"), std::string::npos) << "the box keeps its time of day";
}

TEST_F(FindPage, PeriodsAndOptionsUncheckNoMatter) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    const int64_t spans[] = {300, 900, 3600, 86400, 7 * 86400, 28 * 86400, 365 * 86400};
    for (int i = 0; i <= 8; ++i) {
        NoMatterWhatDate();
        ASSERT_FALSE(Enabled(w->txtDate[0]));
        Command(ID_MENOPTDATE + i, nullptr, 0);
        EXPECT_EQ(GetCheckValue(w->Check2), 0) << i;
        EXPECT_TRUE(Enabled(w->txtDate[0]) && Enabled(w->txtDate[1])) << i;
        EXPECT_EQ(DateKind, DateKindSelected) << i;
        const std::string from = GetText(w->txtDate[0]), to = GetText(w->txtDate[1]);
        if (i == 8) {
            EXPECT_EQ(from, "(unknown)");
            EXPECT_EQ(to, "(unknown)");
            continue;
        }
        SYSTEMTIME a, b;
        ASSERT_TRUE(ReadDateText(from, a)) << from;
        ASSERT_TRUE(ReadDateText(to, b)) << to;
        if (i == 7) {
            EXPECT_EQ(a.wYear, 1950);
            EXPECT_EQ(a.wMonth, 1);
            EXPECT_EQ(a.wDay, 1);
            EXPECT_LE(std::llabs(Seconds(before) - Seconds(b) - 365 * 86400), 120);
        } else {
            EXPECT_LE(std::llabs(Seconds(b) - Seconds(a) - spans[i]), 60) << i;
            EXPECT_LE(std::llabs(Seconds(b) - Seconds(before)), 120) << i;
        }
    }

    for (int i : {2, 1, 0}) {
        NoMatterWhatDate();
        Click(w->Option1[i]);
        EXPECT_EQ(GetCheckValue(w->Check2), 0);
        EXPECT_EQ(DateKindSelected, i);
        EXPECT_EQ(DateKind, i);
    }
    // The check box itself adds 4 and greys the boxes; the setting follows it.
    Click(w->Option1[1]);
    Click(w->Check2);
    EXPECT_EQ(GetCheckValue(w->Check2), 1);
    EXPECT_EQ(DateKind, 5);
    EXPECT_FALSE(Enabled(w->txtDate[1]));
    EXPECT_EQ(Settings.noMatter, 1);
    Click(w->Check2);
    EXPECT_EQ(DateKind, 1);
    EXPECT_EQ(Settings.noMatter, 0);
}

TEST_F(FindPage, CreatedLikeTheShownFile) {
    SYSTEMTIME created = {2010, 7, 0, 15, 13, 30, 0, 0};
    w->current.texts.CreatedLikeText = DateTimeText(created, DateFormat, " ", "Long Time");
    Click(w->Option1[2]);
    NoMatterWhatDate();
    Command(ID_MENOPTAROUND, nullptr, 0);
    SYSTEMTIME a, b;
    ASSERT_TRUE(ReadDateText(GetText(w->txtDate[0]), a)) << GetText(w->txtDate[0]);
    ASSERT_TRUE(ReadDateText(GetText(w->txtDate[1]), b)) << GetText(w->txtDate[1]);
    EXPECT_EQ(Seconds(created) - Seconds(a), 432);
    EXPECT_EQ(Seconds(b) - Seconds(created), 432);
    EXPECT_EQ(Button_GetCheck(w->Option1[0]), BST_CHECKED);
    EXPECT_EQ(Button_GetCheck(w->Option1[2]), BST_UNCHECKED);
    EXPECT_EQ(DateKindSelected, 0);
    EXPECT_EQ(GetCheckValue(w->Check2), 0);

    // Without a readable creation time nothing changes.
    w->current.texts.CreatedLikeText = "(unknown)";
    SetText(w->txtDate[0], "kept");
    Command(ID_MENOPTAROUND, nullptr, 0);
    EXPECT_EQ(GetText(w->txtDate[0]), "kept");
}

TEST_F(FindPage, AttributeBoxesAndNamedListClick) {
    Click(w->chkAttrFind[2]);
    Click(w->chkAttrFind[1]);
    EXPECT_EQ(RequiredAttributes, 0x22u);
    EXPECT_EQ(AttributeText, "Hidden. Archive. ");
    Click(w->chkAttrFind[2]);
    EXPECT_EQ(RequiredAttributes, 0x2u);
    EXPECT_EQ(AttributeText, "Hidden. ");
    Click(w->chkAttrFind[1]);

    int exe = ComboBox_FindStringExact(w->Combo1, -1, "*.exe");
    ASSERT_NE(exe, CB_ERR);
    ComboBox_SetCurSel(w->Combo1, exe);
    Command(ID_COMBO1, w->Combo1, CBN_SELCHANGE);
    EXPECT_EQ(w->File1Pattern, "*.exe");

    // Leaving the name box checks what was typed; a valid text becomes the file list's pattern.
    SetText(w->Combo1, " *.txt;*.log ");
    Command(ID_COMBO1, w->Combo1, CBN_KILLFOCUS);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(w->File1Pattern, "*.txt;*.log");
    SetText(w->Combo1, "bad>name");
    Command(ID_COMBO1, w->Combo1, CBN_KILLFOCUS);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "This filename is invalid. Type a valid filename.");
    EXPECT_EQ(w->File1Pattern, "*.txt;*.log");

    // An option receiving the focus counts as choosing it.
    NoMatterWhatDate();
    Command(ID_OPTION1 + 2, w->Option1[2], BN_SETFOCUS);
    EXPECT_EQ(DateKindSelected, 2);
    EXPECT_EQ(GetCheckValue(w->Check2), 0);
}

// The status line, made to press Stop when it names the first folder, as a user would after a
// while: long enough that the next folder lets the click through.
WNDPROC statusProc = nullptr;
HWND stopButton = nullptr;
LRESULT CALLBACK StopAtFirstFolder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && stopButton && lp && std::string_view(reinterpret_cast<const char*>(lp)).ends_with("\\one\\")) {
        PostMessageA(GetAncestor(hwnd, GA_ROOT), WM_COMMAND, MAKEWPARAM(ID_CMDSTOP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(stopButton));
        stopButton = nullptr;
        Sleep(50);
    }
    return CallWindowProcA(statusProc, hwnd, msg, wp, lp);
}

TEST_F(FindPage, AllDrivesAndStoppingDuringTheFirst) {
    dir.MakeFile("one\\top.txt");
    dir.MakeFile("one\\deeper\\below.txt");
    dir.MakeFile("two\\other.txt");
    const std::string roots = dir.Path() + "one\\" + '\0' + dir.Path() + "two\\" + '\0';
    w->DriveRoots = roots;
    NoMatterWhatDate();
    // Item 0 is the computer, code 1.
    ASSERT_EQ(ComboBox_GetItemData(w->Combo2, 0), 1);
    ComboBox_SetCurSel(w->Combo2, 0);
    FindNow();
    EXPECT_EQ(FoundNames(), (List{"below.txt", "other.txt", "top.txt"}));

    stopButton = w->cmdStop;
    statusProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StopAtFirstFolder)));
    FindNow();
    SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(statusProc));
    // The first folder is finished; nothing below it and nothing of the second root follows.
    EXPECT_EQ(FoundNames(), (List{"top.txt"}));
    EXPECT_EQ(GetText(w->labFound), "1 object(s)");
    EXPECT_TRUE(Enabled(w->cmdFind));
    EXPECT_FALSE(Enabled(w->cmdStop));
}

} // namespace
