// The window at the display's DPI, as a user with a scaled display sees it. CTest runs this
// program in a Wine prefix per DPI (96, 120, 144) and names the DPI in PLOVNIK_TEST_DPI; the
// layout at that DPI is compared with the same window laid out at 96 DPI, the design's.
#include "app/controls.h"
#include "app/dpi.h"
#include "app/main_window.h"
#include "app/settings/settings.h"
#include "search/found_table.h"
#include "search/results_list.h"
#include "support/main_window_fixture.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

int ExpectedDpi() {
    const char* text = std::getenv("PLOVNIK_TEST_DPI");
    return text ? std::atoi(text) : DesignDpi;
}

RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

std::string ClassOf(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// Makes the client area the design size at the window's scale, so the right area's formulas
// have the same room at every scale (kept within the test display's 1024 pixels at 144 DPI).
void SetClientSize(FrmMain& form, int designWidth, int designHeight) {
    RECT window = WindowRect(form.hwnd), client;
    GetClientRect(form.hwnd, &client);
    const int frameX = (window.right - window.left) - client.right;
    const int frameY = (window.bottom - window.top) - client.bottom;
    SetWindowPos(form.hwnd, nullptr, 0, 0, Scale(designWidth, form.dpi) + frameX,
                 Scale(designHeight, form.dpi) + frameY, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

// Every control of the window and of its pages by (parent id, id), in its parent's pixels.
using Layout = std::map<std::pair<int, int>, std::pair<HWND, RECT>>;

Layout LayoutOf(FrmMain& form) {
    Layout layout;
    for (HWND child = GetWindow(form.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        layout[{0, GetDlgCtrlID(child)}] = {child, ControlRect(child)};
        if (ClassOf(child) != "PlovnikPage") continue;
        for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
            layout[{GetDlgCtrlID(child), GetDlgCtrlID(inner)}] = {inner, ControlRect(inner)};
    }
    return layout;
}

bool IsTab(int id) { return (id >= ID_CMDTAB1 && id < ID_CMDTAB1 + 4) || (id >= ID_CMDTAB2 && id < ID_CMDTAB2 + 3); }

// Every control's rectangle is the design rectangle at the scale, to a pixel. The tabs are as wide
// as their captions (checked on their own), and a drop-down's closed height is the platform's,
// from the font.
void ExpectScaledLayout(FrmMain& scaled, FrmMain& design) {
    const Layout at = LayoutOf(scaled), reference = LayoutOf(design);
    ASSERT_EQ(at.size(), reference.size());
    const int dpi = scaled.dpi;
    for (const auto& [key, control] : reference) {
        const auto found = at.find(key);
        ASSERT_NE(found, at.end()) << key.second;
        const RECT want = ScaleRect(control.second, dpi), got = found->second.second;
        const std::string name = "control " + std::to_string(key.second) + " on " + std::to_string(key.first);
        EXPECT_NEAR(got.top, want.top, 1) << name;
        if (IsTab(key.second)) continue;
        EXPECT_NEAR(got.left, want.left, 1) << name;
        EXPECT_NEAR(got.right, want.right, 1) << name;
        if (ClassOf(control.first) != "ComboBox") {
            EXPECT_NEAR(got.bottom, want.bottom, 1) << name;
        }
    }
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

} // namespace

TEST(Dpi, ScalingHelpersRoundToTheNearestPixelAndKeepTwips) {
    EXPECT_EQ(Scale(21, 96), 21);
    EXPECT_EQ(Scale(21, 120), 26);
    EXPECT_EQ(Scale(21, 144), 32);
    EXPECT_EQ(Unscale(Scale(84, 144), 144), 84);
    EXPECT_EQ(TwipsToPixels(5310, 96), 354);
    EXPECT_EQ(TwipsToPixels(5310, 144), 531);
    EXPECT_EQ(PixelsToTwips(531, 144), 5310);
    EXPECT_EQ(FontHeight(975, 96), -13) << "the design font";
    EXPECT_EQ(FontHeight(975, 144), -19) << "never taller than the scaled controls";
}

TEST(Dpi, WindowIsShownAtTheDisplaysDpiWithTheDesignLayoutScaled) {
    MainWindow scaled;
    ASSERT_EQ(scaled->dpi, ExpectedDpi()) << "the prefix's display DPI did not reach the window";
    MainWindow design("", false, DesignDpi);
    SetClientSize(*scaled, 660, 400);
    SetClientSize(*design, 660, 400);
    ExpectScaledLayout(*scaled, *design);
}

TEST(Dpi, TabsAreAsWideAsTheirCaptionsInTheScaledFont) {
    MainWindow w;
    const int dpi = w->dpi;
    for (int i = 1; i < 4; ++i) {
        HWND tab = w->cmdTab1[static_cast<size_t>(i)];
        EXPECT_EQ(ControlWidth(tab), TextWidth(tab, GetText(tab)) + Scale(16, dpi)) << GetText(tab);
        EXPECT_EQ(ControlLeft(tab), ControlLeft(w->cmdTab1[static_cast<size_t>(i - 1)]) +
                                        ControlWidth(w->cmdTab1[static_cast<size_t>(i - 1)]) -
                                        (i == 1 ? Scale(4, dpi) - Scale(2, dpi) : 0))
            << "tabs follow each other; the active first one stands out by its raise";
    }
    HWND active = w->cmdTab2[0];
    EXPECT_EQ(ControlWidth(active), TextWidth(active, GetText(active)) + Scale(16, dpi) + Scale(4, dpi));
    EXPECT_EQ(ControlHeight(active), Scale(21, dpi) + Scale(2, dpi));
}

TEST(Dpi, MinimumHeightIsTheDesignTwipsAtTheScale) {
    MainWindow w;
    SetWindowPos(w->hwnd, nullptr, 0, 0, Scale(500, w->dpi), 100, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT r = WindowRect(w->hwnd);
    EXPECT_EQ(r.bottom - r.top, TwipsToPixels(MinWindowHeightTwips, w->dpi));
}

TEST(Dpi, NoControlsOverlapThatDoNotInTheDesign) {
    MainWindow scaled;
    MainWindow design("", false, DesignDpi);
    const Layout at = LayoutOf(*scaled), reference = LayoutOf(*design);
    for (auto a = at.begin(); a != at.end(); ++a) {
        for (auto b = std::next(a); b != at.end(); ++b) {
            if (a->first.first != b->first.first) continue;   // only controls of one parent meet
            if (!IsWindowVisible(a->second.first) || !IsWindowVisible(b->second.first)) continue;
            if (Overlap(reference.at(a->first).second, reference.at(b->first).second)) continue;
            EXPECT_FALSE(Overlap(a->second.second, b->second.second))
                << "controls " << a->first.second << " and " << b->first.second << " on " << a->first.first;
        }
    }
}

TEST(Dpi, ColumnAndFolderWidthsAreStoredInDesignPixels) {
    WriteSettingsFile("[Settings]\nExistIni=1\nRemPos=1\nDirW=150\nCol0=120\nCol1=104\nCol2=52\n");
    {
        MainWindow w("", true);
        const int dpi = w->dpi;
        EXPECT_NEAR(ControlWidth(w->labCol[0]), Scale(120, dpi), 1);
        EXPECT_NEAR(ControlWidth(w->Dir1), Scale(150, dpi), 1);
        w.Close();
        const std::string file = ReadSettingsFile();
        EXPECT_NE(file.find("DirW=150"), std::string::npos) << file;
        EXPECT_NE(file.find("Col0=120"), std::string::npos) << file;
    }
}

TEST(Dpi, MovingToAMonitorOfAnotherScaleLaysTheWindowOutAgain) {
    MainWindow w;
    const int other = w->dpi == 144 ? 96 : 144;
    RECT place = WindowRect(w->hwnd);
    place.right = place.left + MulDiv(place.right - place.left, other, w->dpi);
    place.bottom = place.top + MulDiv(place.bottom - place.top, other, w->dpi);
    SendMessageA(w->hwnd, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&place));
    PumpMessages();
    ASSERT_EQ(w->dpi, other);
    EXPECT_EQ(WindowRect(w->hwnd).right, place.right) << "the window takes the suggested place";
    LOGFONTA font = {};
    GetObjectA(w->font, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, FontHeight(975, other));

    MainWindow fresh("", false, other);
    SetClientSize(*w, 660, 400);
    SetClientSize(*fresh, 660, 400);
    MainWindow design("", false, DesignDpi);
    SetClientSize(*design, 660, 400);
    ExpectScaledLayout(*w, *design);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(ControlWidth(w->cmdTab2[i]), ControlWidth(fresh->cmdTab2[i]));
}

TEST(Dpi, ResultColumnsStandUnderTheirHeaders) {
    MainWindow w;
    FoundTable.assign(1, FoundRow("a", "X", "Y", "", "", "a"));
    ListBox_AddString(w->lstFound, "");
    RECT item = {};
    ListBox_GetItemRect(w->lstFound, 0, &item);
    // The list drawn into a bitmap of our own, then the first inked column after each tab.
    HDC screen = GetDC(w->lstFound);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, item.right, item.bottom);
    ReleaseDC(w->lstFound, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(w->lstFound, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF background = GetPixel(dc, item.right - 1, item.top);
    auto firstInkFrom = [&](int from) {
        for (int x = from; x < item.right; ++x)
            for (int y = item.top; y < item.bottom; ++y)
                if (GetPixel(dc, x, y) != background) return x;
        return -1;
    };
    POINT origin = {0, 0};
    MapWindowPoints(w->lstFound, GetParent(w->lstFound), &origin, 1);
    const int slack = Scale(4, w->dpi);
    int from = TextWidth(w->lstFound, "a") + 1;
    for (size_t column = 1; column <= 2; ++column) {
        const int header = ControlLeft(w->labCol[column]) - origin.x;
        const int ink = firstInkFrom(from);
        EXPECT_NEAR(ink, header, slack) << "column " << column;
        from = header + TextWidth(w->lstFound, "X") + 1;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    FoundTable.clear();
}
