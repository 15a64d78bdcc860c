// The value tooltips, the copy of a value with its key, and the Browse page splitter, driven by
// the mouse messages a user's pointer causes.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/settings/settings.h"
#include "app/tips_and_splitter.h"
#include "support/clipboard.h"
#include "support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

void MoveOver(HWND control, int x, int y) { SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

} // namespace

TEST(ValueTips, ArmShowHideAndRearmOnlyForAnotherLabel) {
    MainWindow w;
    SetText(w->lblValue[0], "A type name long enough to be cut off at the label's right edge");
    SetText(w->lblValue[1], "C:\\some\\folder\\");

    MoveOver(w->lblValue[0], 10, 5);
    EXPECT_FALSE(IsWindowVisible(w->pop));
    EXPECT_TRUE(w->Timer1Enabled);
    EXPECT_EQ(w->Timer1Interval, 750u);
    EXPECT_EQ(w->LastTipIndex, 0);
    EXPECT_GT(ControlWidth(w->pop), TextWidth(w->pop, GetText(w->lblValue[0])));

    // While armed the box follows the pointer along the label.
    int left = ControlLeft(w->pop);
    MoveOver(w->lblValue[0], 30, 5);
    EXPECT_EQ(ControlLeft(w->pop), left + 20);

    TipTimerTick(*w);   // 750 ms later
    EXPECT_TRUE(IsWindowVisible(w->pop));
    EXPECT_EQ(w->Timer1Interval, 4000u);
    left = ControlLeft(w->pop);
    MoveOver(w->lblValue[0], 60, 5);
    EXPECT_EQ(ControlLeft(w->pop), left) << "once shown it stays put";

    TipTimerTick(*w);   // 4 s later
    EXPECT_FALSE(IsWindowVisible(w->pop));
    EXPECT_FALSE(w->Timer1Enabled);
    MoveOver(w->lblValue[0], 40, 5);
    EXPECT_FALSE(w->Timer1Enabled) << "the same label does not re-arm";

    MoveOver(w->lblValue[1], 5, 5);
    EXPECT_TRUE(w->Timer1Enabled) << "another label re-arms";
    EXPECT_EQ(w->LastTipIndex, 1);
}

TEST(ValueTips, PageBackgroundHidesAtOnceAndResets) {
    MainWindow w;
    SetText(w->lblValue[0], "some type");
    MoveOver(w->lblValue[0], 5, 5);
    TipTimerTick(*w);
    ASSERT_TRUE(IsWindowVisible(w->pop));
    MoveOver(w->picTab[0], 2, 2);
    EXPECT_FALSE(IsWindowVisible(w->pop));
    EXPECT_EQ(w->LastTipIndex, -1);
    MoveOver(w->lblValue[0], 5, 5);
    EXPECT_TRUE(w->Timer1Enabled) << "after the background the same label arms again";
    TabSwitchUpper(*w, 1);
    EXPECT_FALSE(w->Timer1Enabled) << "a tab switch ends any tip";
}

TEST(ValueTips, NothingWhenTipsAreOffOrTheValueIsEmpty) {
    MainWindow w;
    SetText(w->lblValue[0], "");
    MoveOver(w->lblValue[0], 5, 5);
    EXPECT_FALSE(w->Timer1Enabled);
    SetText(w->lblValue[0], "text");
    Settings.Tips = 0;
    MoveOver(w->lblValue[0], 5, 5);
    EXPECT_FALSE(w->Timer1Enabled);
}

TEST(ValueCopy, DoubleClickCopiesKeyTabValue) {
    MainWindow w;
    SetText(w->lblValue[0], "dll file");
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_LBLVALUE + 0, STN_DBLCLK), reinterpret_cast<LPARAM>(w->lblValue[0]));
    EXPECT_EQ(ClipboardText(), "Type:\tdll file");
    SetText(w->lblValue[3], "README.TXT");
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_LABKEY + 3, STN_DBLCLK), reinterpret_cast<LPARAM>(w->labKey[3]));
    EXPECT_EQ(ClipboardText(), "DOS name:\tREADME.TXT");

    ListBox_AddString(w->lstInfo, "Company Name");
    ListBox_SetCurSel(w->lstInfo, 0);
    SetText(w->txtInfoVal, "Plovnik developers");
    SendMessageA(w->txtInfoVal, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(ClipboardText(), "Company Name:\tPlovnik developers");
}

TEST(BrowseSplitter, DragIsClampedAndKeepsTheFileListsRightEdge) {
    MainWindow w;
    HWND page = w->picTab2[0];
    RECT dir = ControlRect(w->Dir1), file = ControlRect(w->File1);
    const int gap = dir.right + 1;
    RECT client;
    GetClientRect(page, &client);

    MoveOver(page, gap, 100);
    ASSERT_NE(BrowseSplitterCursor(*w), nullptr) << "the two-headed arrow over the gap";
    SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(gap, 100));
    EXPECT_TRUE(w->DragActive);
    MoveOver(page, 0, 100);
    EXPECT_EQ(ControlLeft(w->pop), ControlLeft(page) + dir.left + 32) << "no closer than 32 to the list's left";
    MoveOver(page, 5000, 100);
    EXPECT_EQ(ControlLeft(w->pop), ControlLeft(page) + client.right - 32);
    MoveOver(page, 200, 100);
    SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    EXPECT_FALSE(w->DragActive);
    EXPECT_FALSE(IsWindowVisible(w->pop));

    EXPECT_EQ(ControlWidth(w->Dir1), 200 - dir.left);
    EXPECT_EQ(ControlLeft(w->File1), 203);
    EXPECT_EQ(ControlLeft(w->File1) + ControlWidth(w->File1), file.right);
    EXPECT_EQ(ControlWidth(w->Drive1), ControlWidth(w->Dir1) - 1);
    EXPECT_EQ(ControlLeft(w->Label2[3]), 203);

    MoveOver(page, 2, 2);
    EXPECT_EQ(BrowseSplitterCursor(*w), nullptr) << "away from the gap the pointer is the arrow again";
}
