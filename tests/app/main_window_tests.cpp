// The main window driven as a user drives it: start-up state, tab switching by mouse and
// keyboard, resizing, the About box.
#include "app/about.h"
#include "app/controls.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "fileinfo/text_formats.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace {

RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// Presses a key on a control with the given modifiers held, through the program's own loop.
void PressKey(FrmMain& form, HWND target, WPARAM key, bool ctrl, bool shift) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    std::copy(std::begin(state), std::end(state), saved);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    MSG msg = {target, WM_KEYDOWN, key, 1, 0, {0, 0}};
    ProcessMessage(form, msg);
    SetKeyboardState(saved);
}

} // namespace

TEST(StartUp, NoArgumentShowsGeneralAndBrowse) {
    MainWindow w;
    ASSERT_TRUE(w.form);
    EXPECT_TRUE(IsWindowVisible(w->hwnd));
    EXPECT_EQ(w->CurrentUpperTab, 0);
    EXPECT_EQ(w->CurrentRightTab, 0);
    EXPECT_TRUE(IsWindowVisible(w->picTab[0]));
    EXPECT_FALSE(IsWindowVisible(w->picTab[2]));
    EXPECT_TRUE(IsWindowVisible(w->picTab2[0]));
    ASSERT_FALSE(w->BrowseFolder.empty());
    EXPECT_EQ(GetText(w->hwnd), "Plovnik - " + w->BrowseFolder);
    EXPECT_EQ(GetText(w->lblValue[15]), "(no file selected)");
    // The date boxes hold yesterday and now, in texts the program reads back as dates.
    SYSTEMTIME from, to, now;
    ASSERT_TRUE(ReadDateText(GetText(w->txtDate[0]), from)) << GetText(w->txtDate[0]);
    ASSERT_TRUE(ReadDateText(GetText(w->txtDate[1]), to)) << GetText(w->txtDate[1]);
    GetLocalTime(&now);
    auto seconds = [](const SYSTEMTIME& t) {
        FILETIME ft;
        SystemTimeToFileTime(&t, &ft);
        return static_cast<double>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 1e7;
    };
    EXPECT_NEAR(seconds(to) - seconds(from), 86400, 2);
    EXPECT_NEAR(seconds(now) - seconds(to), 0, 60);
}

// They are made after the window is shown, so they land at the bottom of the stacking order
// unless placed: the tip and splitter guide must lie over the pages, "Name:" over its value.
TEST(StartUp, ControlsShownNowAndThenStartHiddenInTheirPlace) {
    MainWindow w;
    for (HWND hidden : {w->pop, w->labKey[15], w->Image4, w->Image2}) {
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(GetWindowLongA(hidden, GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_EQ(GetWindow(w->hwnd, GW_CHILD), w->pop);
    EXPECT_EQ(GetWindow(w->labKey[15], GW_HWNDNEXT), w->lblValue[15]);
}

TEST(StartUp, TabStripsFollowTheirCaptions) {
    MainWindow w;
    for (int i = 0; i < 3; ++i) {
        // Each next tab starts where the one before ends (the active one is 2 wider on each side).
        RECT a = ControlRect(w->cmdTab1[i]), b = ControlRect(w->cmdTab1[i + 1]);
        int gap = b.left - a.right;
        EXPECT_TRUE(gap == 0 || gap == 4 || gap == -2 || gap == 2) << i << " gap " << gap;
        EXPECT_GT(a.right - a.left, TextWidth(w->cmdTab1[i], GetText(w->cmdTab1[i])));
    }
    RECT active = ControlRect(w->cmdTab1[0]), idle = ControlRect(w->cmdTab1[1]);
    EXPECT_EQ((active.bottom - active.top) - (idle.bottom - idle.top), 2);
    EXPECT_LT(active.top, idle.top);
}

TEST(Tabs, MousePressSwitchesAndMakesFindTheDefaultOnlyOnItsPage) {
    MainWindow w;
    SendMessageA(w->cmdTab1[2], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w->cmdTab1[2], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(w->CurrentUpperTab, 2);
    EXPECT_TRUE(IsWindowVisible(w->picTab[2]));
    EXPECT_FALSE(IsWindowVisible(w->picTab[0]));
    EXPECT_EQ(LOWORD(SendMessageA(w->hwnd, DM_GETDEFID, 0, 0)), ID_CMDFIND);

    TabSwitchRight(*w, 1);
    EXPECT_EQ(w->CurrentRightTab, 1);
    EXPECT_TRUE(IsWindowVisible(w->picTab2[1]));
    EXPECT_EQ(SendMessageA(w->hwnd, DM_GETDEFID, 0, 0), 0) << "the right tabs clear the default role";

    TabSwitchUpper(*w, 3);
    EXPECT_EQ(SendMessageA(w->hwnd, DM_GETDEFID, 0, 0), 0);
    // The picture on the General page that marks version data opens the Version page.
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_IMAGE4, PN_MOUSEUP), reinterpret_cast<LPARAM>(w->Image4));
    EXPECT_EQ(w->CurrentUpperTab, 1);
}

TEST(Tabs, SwitchingBackAndForthKeepsTabGeometry) {
    MainWindow w;
    RECT before = ControlRect(w->cmdTab1[0]);
    for (int i : {1, 2, 3, 0}) TabSwitchUpper(*w, i);
    TabSwitchUpper(*w, 0);   // the same tab again changes nothing
    RECT after = ControlRect(w->cmdTab1[0]);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);
}

TEST(Keyboard, CtrlTabCyclesTheUpperPages) {
    MainWindow w;
    HWND focus = w->chkAttr[0];
    for (int expected : {1, 2, 3, 0}) {
        PressKey(*w, focus, VK_TAB, true, false);
        EXPECT_EQ(w->CurrentUpperTab, expected);
    }
    PressKey(*w, focus, VK_TAB, true, true);
    EXPECT_EQ(w->CurrentUpperTab, 3) << "Ctrl+Shift+Tab from General opens Settings";
    PressKey(*w, focus, VK_TAB, false, true);
    EXPECT_EQ(w->CurrentUpperTab, 3) << "Shift+Tab alone only moves the focus";
}

TEST(Keyboard, EscapeRaisesBothStopFlags) {
    MainWindow w;
    StopRequested = false;
    SortStopRequested = false;
    PressKey(*w, w->File1, VK_ESCAPE, false, false);
    EXPECT_TRUE(StopRequested);
    EXPECT_TRUE(SortStopRequested);
    StopRequested = false;
    SortStopRequested = false;
}

TEST(Resizing, HeightNeverBelowTheMinimumAndOnlyTheRightAreaFollows) {
    MainWindow w;
    RECT leftPage = ControlRect(w->picTab[0]);
    SetWindowPos(w->hwnd, nullptr, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT r = WindowRect(w->hwnd);
    EXPECT_EQ((r.bottom - r.top) * TwipsPerPixel, 5310);

    SetWindowPos(w->hwnd, nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT client;
    GetClientRect(w->hwnd, &client);
    int x0 = ControlLeft(w->cmdTab2Back) + 8, y0 = ControlTop(w->cmdTab2Back) + 10;
    EXPECT_EQ(ControlWidth(w->lstFound), client.right - x0 - 8);
    EXPECT_EQ(ControlWidth(w->picTab2[1]), client.right - x0 - 4);
    EXPECT_EQ(ControlHeight(w->picTab2[0]), client.bottom - y0);
    EXPECT_EQ(ControlHeight(w->Dir1), client.bottom - y0 - 69);
    EXPECT_EQ(ControlLeft(w->File1) + ControlWidth(w->File1), client.right - x0 - 6);
    EXPECT_EQ(ControlTop(w->labFound), ControlHeight(w->lstFound) + 27);
    RECT leftAfter = ControlRect(w->picTab[0]);
    EXPECT_EQ(leftAfter.right - leftAfter.left, leftPage.right - leftPage.left);
    EXPECT_EQ(leftAfter.bottom - leftAfter.top, leftPage.bottom - leftPage.top);
}

TEST(About, VersionTextPadsMinorAndRevision) {
    EXPECT_EQ(AboutVersionText(2, 5, 7), "2.05.0007");
    EXPECT_EQ(AboutVersionText(10, 12, 12345), "10.12.12345");
    EXPECT_EQ(AboutVersionText(0, 0, 0), "0.00.0000");
}

TEST(About, BoxShowsTheProgramsOwnVersionAndClosesWithOk) {
    MainWindow w;
    HWND box = CreateAboutBox(w->hwnd);
    ASSERT_TRUE(box);
    EXPECT_EQ(GetText(box), "About Plovnik");
    // The test program carries the same version resource as the program.
    EXPECT_EQ(GetText(GetDlgItem(box, 10)), "Plovnik v1.00.0001");
    EXPECT_NE(GetText(GetDlgItem(box, 11)).find("Copyright"), std::string::npos);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(box));
}

TEST(CommandLine, ProgramNameIsDroppedAndTheRestKeptAsOnePath) {
    struct Case {
        const char* line;
        const char* path;
    } cases[] = {
        {"plovnik.exe", ""},
        {"plovnik.exe C:\\windows", "C:\\windows"},
        {"\"C:\\Program Files\\plovnik.exe\" C:\\a b\\c.txt", "C:\\a b\\c.txt"},
        {"\"C:\\Program Files\\plovnik.exe\"   \"C:\\x\"", "\"C:\\x\""},
        {"plovnik.exe C:\\a C:\\b", "C:\\a C:\\b"},
        {"\"unterminated", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandLineArgument(c.line), c.path) << c.line;
}

TEST(Menus, ExitClosesTheWindowAndWritesTheSettings) {
    MainWindow w;
    SendMessageA(w->hwnd, WM_COMMAND, ID_MENOPTEXIT, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(w->hwnd));
    EXPECT_NE(ReadSettingsFile().find("ExistIni=1"), std::string::npos);
}
