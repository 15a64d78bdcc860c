#include "app/tips_and_splitter.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/picture_box.h"
#include "app/settings/settings.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

WNDPROC originalStaticProc = nullptr;
WNDPROC originalListProc = nullptr;
WNDPROC originalEditProc = nullptr;


FrmMain* FormOf(HWND control) { return FormFromWindow(GetAncestor(control, GA_ROOT)); }

LRESULT CALLBACK ValueLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) {
        if (FrmMain* form = FormOf(hwnd)) {
            int index = GetDlgCtrlID(hwnd) - ID_LBLVALUE;
            ValueLabelMouseMove(*form, index, GET_X_LPARAM(lp));
        }
    }
    return CallWindowProcA(originalStaticProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK VersionControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    WNDPROC original = GetDlgCtrlID(hwnd) == ID_LSTINFO ? originalListProc : originalEditProc;
    if (FrmMain* form = FormOf(hwnd)) {
        if (msg == WM_MOUSEMOVE) BackgroundMouseMove(*form, false);
        if (msg == WM_LBUTTONDBLCLK) {
            LRESULT result = CallWindowProcA(original, hwnd, msg, wp, lp);
            CopyVersionEntry(*form);
            return result;
        }
    }
    return CallWindowProcA(original, hwnd, msg, wp, lp);
}

template <typename Proc>
WNDPROC Subclass(HWND control, Proc proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// The two-headed horizontal arrow of the splitter: drawn on a 32 x 32 design grid, monochrome,
// hot spot at (15, 15), made at the window's scale once per scale for the program's life.
HCURSOR SplitCursor(int dpi) {
    static std::vector<std::pair<int, HCURSOR>> made;
    for (const auto& [scale, cursor] : made)
        if (scale == dpi) return cursor;
    std::array<std::array<char, 32>, 32> design{};   // 0 clear, 'w' white, 'b' black
    auto paint = [&](int x, int y, char ink) {
        if (x >= 0 && x <= 31 && y >= 0 && y <= 31) design[static_cast<size_t>(y)][static_cast<size_t>(x)] = ink;
    };
    // A white outline first, then the black arrow over it, so it shows on any background.
    for (int pass = 0; pass < 2; ++pass) {
        const char ink = pass == 1 ? 'b' : 'w';
        const int grow = pass == 1 ? 0 : 1;
        for (int x = 4 - grow; x <= 26 + grow; ++x)
            for (int y = 14 - grow; y <= 16 + grow; ++y) paint(x, y, ink);
        for (int x = 13 - grow; x <= 17 + grow; ++x)
            for (int y = 8 - grow; y <= 22 + grow; ++y) paint(x, y, ink);
        for (int d = 0; d <= 5 + grow; ++d) {
            for (int y = 15 - d; y <= 15 + d; ++y) {
                paint(4 + d - grow, y, ink);
                paint(26 - d + grow, y, ink);
            }
        }
    }
    // Each row of a mask is padded to whole 16-bit words.
    const int size = Scale(32, dpi);
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<BYTE> andMask(static_cast<size_t>(rowBytes * size), 0xFF), xorMask(andMask.size(), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const char ink = design[static_cast<size_t>(y * 32 / size)][static_cast<size_t>(x * 32 / size)];
            if (!ink) continue;
            const auto byte = static_cast<size_t>(y * rowBytes + x / 8);
            const auto bit = static_cast<BYTE>(0x80 >> (x % 8));
            andMask[byte] &= static_cast<BYTE>(~bit);
            if (ink == 'w') xorMask[byte] |= bit;
        }
    }
    const int hot = Scale(15, dpi);
    HCURSOR cursor = CreateCursor(GetModuleHandleA(nullptr), hot, hot, size, size, andMask.data(), xorMask.data());
    made.emplace_back(dpi, cursor);
    return cursor;
}

void SetSplitCursor(FrmMain& form, bool custom) {
    form.splitCursorShown = custom;
    SetCursor(custom ? SplitCursor(form.dpi) : LoadCursor(nullptr, IDC_ARROW));
}

} // namespace

void TipsAndSplitter_Init(FrmMain& form) {
    for (HWND label : form.lblValue) {
        if (!label) continue;
        WNDPROC previous = Subclass(label, ValueLabelProc);
        if (!originalStaticProc) originalStaticProc = previous;
    }
    WNDPROC list = Subclass(form.lstInfo, VersionControlProc);
    if (!originalListProc) originalListProc = list;
    WNDPROC edit = Subclass(form.txtInfoVal, VersionControlProc);
    if (!originalEditProc) originalEditProc = edit;
}

void SetTimer1(FrmMain& form, UINT interval) {
    form.Timer1Interval = interval;
    form.Timer1Enabled = interval != 0;
    if (interval == 0) {
        KillTimer(form.hwnd, TIMER1_ID);
    } else {
        SetTimer(form.hwnd, TIMER1_ID, interval, nullptr);
    }
}

void ValueLabelMouseMove(FrmMain& form, int index, int x) {
    if (Settings.Tips == 0 || index < 0 || index >= static_cast<int>(form.lblValue.size())) return;
    HWND label = form.lblValue[static_cast<size_t>(index)];
    const std::string caption = GetText(label);
    if (caption.empty()) return;
    HWND page = GetParent(label);
    RECT pageRect = ControlRect(page), labelRect = ControlRect(label);
    if (!IsWindowVisible(form.pop)) {
        // While the tip waits to appear it follows the pointer along the label.
        int height = TextHeight(form.pop, "Ag") + Scale(3, form.dpi);
        MoveControl(form.pop, pageRect.left + labelRect.left + x + height / 2, pageRect.top + labelRect.top + height / 2,
                    ControlWidth(form.pop), height);
    }
    if (index != form.LastTipIndex) {
        ShowWindow(form.pop, SW_HIDE);
        SetTimer1(form, 0);
        PictureClear(form.pop);
        MoveControl(form.pop, ControlLeft(form.pop), ControlTop(form.pop), TextWidth(form.pop, caption + "A"),
                    ControlHeight(form.pop));
        PicturePrint(form.pop, 0, 0, " " + caption);
        SetTimer1(form, 750);
        form.LastTipIndex = static_cast<int16_t>(index);
    }
}

void TipTimerTick(FrmMain& form) {
    if (IsWindowVisible(form.pop)) {
        ShowWindow(form.pop, SW_HIDE);
        SetTimer1(form, 0);
    } else {
        SetWindowPos(form.pop, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetTimer1(form, 4000);   // the next tick hides it
    }
}

void BackgroundMouseMove(FrmMain& form, bool resetsTip) {
    if (form.DragActive) return;
    if (IsWindowVisible(form.pop)) {
        TipTimerTick(form);
    } else if (form.Timer1Enabled) {
        SetTimer1(form, 0);
    }
    if (resetsTip) {
        form.LastTipIndex = -1;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
}

void CopyValueLabel(FrmMain& form, int index) {
    if (index < 0 || index >= static_cast<int>(form.lblValue.size())) return;
    auto i = static_cast<size_t>(index);
    CopyTextToClipboard(form.hwnd, GetText(form.labKey[i]) + "\t" + GetText(form.lblValue[i]));
}

void CopyVersionEntry(FrmMain& form) {
    int selected = ListBox_GetCurSel(form.lstInfo);
    if (selected < 0) return;
    CopyTextToClipboard(form.hwnd, GetListText(form.lstInfo, selected) + ":" + "\t" + GetText(form.txtInfoVal));
}

bool BrowseSplitterMouse(FrmMain& form, UINT message, int x, int) {
    HWND page = form.picTab2[0];
    RECT dir = ControlRect(form.Dir1), file = ControlRect(form.File1);
    auto S = [&form](int designPixels) { return Scale(designPixels, form.dpi); };
    const int least = S(32);   // each list keeps at least this much of the page
    switch (message) {
    case WM_MOUSEMOVE:
        if (form.DragActive) {
            RECT client;
            GetClientRect(page, &client);
            int clamped =
                std::min(std::max(x, static_cast<int>(dir.left) + least), static_cast<int>(client.right) - least);
            RECT pageRect = ControlRect(page);
            MoveControl(form.pop, pageRect.left + clamped, pageRect.top + file.top, S(2), file.bottom - file.top);
            ShowWindow(form.pop, SW_SHOW);
            return true;
        }
        SetSplitCursor(form, x >= dir.right && x < file.left &&
                       (dir.right - dir.left) + (file.right - file.left) > 2 * least);
        return true;
    case WM_LBUTTONDOWN:
        if (!form.splitCursorShown) return false;
        form.DragActive = true;
        SetCapture(page);
        MoveControl(form.pop, ControlLeft(form.pop), ControlTop(form.pop), S(2), file.bottom - file.top);
        SetWindowPos(form.pop, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return true;
    case WM_LBUTTONUP: {
        if (!form.DragActive) return false;
        form.DragActive = false;
        if (GetCapture() == page) ReleaseCapture();
        if (!IsWindowVisible(form.pop)) return true;
        ShowWindow(form.pop, SW_HIDE);
        int dirWidth = ControlLeft(form.pop) - ControlLeft(page) - dir.left;
        MoveControl(form.Dir1, dir.left, dir.top, dirWidth, dir.bottom - dir.top);
        int fileLeft = dir.left + dirWidth + S(3);
        // The file list's right edge stays where it was.
        MoveControl(form.File1, fileLeft, file.top, file.right - fileLeft, file.bottom - file.top);
        RECT drive = ControlRect(form.Drive1);
        MoveControl(form.Drive1, drive.left, drive.top, dirWidth - S(1), drive.bottom - drive.top);
        RECT count = ControlRect(form.Label2[3]);
        MoveControl(form.Label2[3], fileLeft, count.top, count.right - count.left, count.bottom - count.top);
        return true;
    }
    }
    return false;
}

HCURSOR BrowseSplitterCursor(const FrmMain& form) {
    return form.splitCursorShown ? SplitCursor(form.dpi) : nullptr;
}
