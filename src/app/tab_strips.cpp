#include "app/tab_strips.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/frame.h"
#include "app/tips_and_splitter.h"

namespace {

void BringToFront(HWND hwnd) { SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

// Moves and sizes by design pixels.
void Reshape(const FrmMain& form, HWND button, int dx, int dy, int dw, int dh) {
    RECT r = ControlRect(button);
    const int dpi = form.dpi;
    MoveControl(button, r.left + Scale(dx, dpi), r.top + Scale(dy, dpi), r.right - r.left + Scale(dw, dpi),
                r.bottom - r.top + Scale(dh, dpi));
}

void Raise(const FrmMain& form, HWND tab) { Reshape(form, tab, -2, -2, 4, 2); }
void Lower(const FrmMain& form, HWND tab) { Reshape(form, tab, 2, 2, -4, -2); }

}  // namespace

void ActivateTab(FrmMain& form, bool upper, int index) {
    HWND tab = upper ? form.cmdTab1[index] : form.cmdTab2[index];
    HWND page = upper ? form.picTab[index] : form.picTab2[index];
    Raise(form, tab);
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
    Lower(form, upper ? form.cmdTab1[old] : form.cmdTab2[old]);
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

int TabWidth(const FrmMain& form, const std::string& caption) {
    return FontTextWidth(form.font, caption) + Scale(16, form.dpi);
}

void LayoutTabStrip(FrmMain& form, bool upper) {
    HWND* tabs = upper ? form.cmdTab1.data() : form.cmdTab2.data();
    int count = upper ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        RECT r = ControlRect(tabs[i]);
        MoveControl(tabs[i], r.left, r.top, TabWidth(form, GetText(tabs[i])), r.bottom - r.top);
    }
    for (int i = 0; i + 1 < count; ++i) {
        RECT r = ControlRect(tabs[i]);
        RECT next = ControlRect(tabs[i + 1]);
        MoveControl(tabs[i + 1], r.right, next.top, next.right - next.left, next.bottom - next.top);
    }
}


void LowerActiveTabs(FrmMain& form) {
    Lower(form, form.cmdTab1[static_cast<size_t>(form.CurrentUpperTab)]);
    Lower(form, form.cmdTab2[static_cast<size_t>(form.CurrentRightTab)]);
}

void RaiseActiveTabs(FrmMain& form) {
    Raise(form, form.cmdTab1[static_cast<size_t>(form.CurrentUpperTab)]);
    Raise(form, form.cmdTab2[static_cast<size_t>(form.CurrentRightTab)]);
}
