#include "app/tab_strips.h"

#include "app/controls.h"
#include "app/frame.h"
#include "app/tips_and_splitter.h"

namespace {

void BringToFront(HWND hwnd) { SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void Reshape(HWND button, int dx, int dy, int dw, int dh) {
    RECT r = ControlRect(button);
    MoveControl(button, r.left + dx, r.top + dy, r.right - r.left + dw, r.bottom - r.top + dh);
}

}  // namespace

void ActivateTab(FrmMain& form, bool upper, int index) {
    HWND tab = upper ? form.cmdTab1[index] : form.cmdTab2[index];
    HWND page = upper ? form.picTab[index] : form.picTab2[index];
    Reshape(tab, -2, -2, 4, 2);
    // The active tab overlaps the panel's top edge; the inactive ones sit partly behind it.
    BringToFront(upper ? form.cmdTab : form.cmdTab2Back);
    BringToFront(tab);
    BringToFront(page);
    BringToFront(form.pop);
    // Only the page in front takes part in keyboard navigation.
    ShowWindow(page, SW_SHOW);
    (upper ? form.CurrentUpperTab : form.CurrentRightTab) = index;
}

namespace {

void SwitchTab(FrmMain& form, bool upper, int index) {
    const int old = upper ? form.CurrentUpperTab : form.CurrentRightTab;
    if (index == old) return;
    Reshape(upper ? form.cmdTab1[old] : form.cmdTab2[old], 2, 2, -4, -2);
    ActivateTab(form, upper, index);
    ShowWindow(upper ? form.picTab[old] : form.picTab2[old], SW_HIDE);
}

} // namespace

void TabSwitchUpper(FrmMain& form, int index, int, int, int, int) {
    if (index < 0 || index > 3) return;
    ShowWindow(form.pop, SW_HIDE);
    SetTimer1(form, 0);
    if (index == form.CurrentUpperTab) return;
    SwitchTab(form, true, index);
    SetDefaultFind(form, index == 2);
}

void TabSwitchRight(FrmMain& form, int index, int, int, int, int) {
    if (index < 0 || index > 2) return;
    SwitchTab(form, false, index);
    SetDefaultFind(form, false);
}

void LayoutTabStrip(FrmMain& form, bool upper) {
    HWND* tabs = upper ? form.cmdTab1.data() : form.cmdTab2.data();
    int count = upper ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        RECT r = ControlRect(tabs[i]);
        MoveControl(tabs[i], r.left, r.top, TextWidth(tabs[i], GetText(tabs[i])) + 16, r.bottom - r.top);
    }
    for (int i = 0; i + 1 < count; ++i) {
        RECT r = ControlRect(tabs[i]);
        RECT next = ControlRect(tabs[i + 1]);
        MoveControl(tabs[i + 1], r.right, next.top, next.right - next.left, next.bottom - next.top);
    }
}

