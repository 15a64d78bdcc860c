#include "shell/browse_page.h"

#include "app/form.h"

void BrowsePage_Init(FrmMain&) {}
bool BrowsePage_OnCommand(FrmMain&, int, int, HWND) { return false; }
bool BrowsePage_OnDrawItem(FrmMain&, const DRAWITEMSTRUCT&) { return false; }
bool BrowsePage_OnMeasureItem(FrmMain&, MEASUREITEMSTRUCT&) { return false; }
void ApplyCommandLine(FrmMain&, const std::string&) {}
void Dir1Changed(FrmMain& form) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    form.BrowseFolder = cwd;
    if (form.BrowseFolder.empty() || form.BrowseFolder.back() != '\\') form.BrowseFolder += '\\';
    SetWindowTextA(form.hwnd, (std::string("Plovnik - ") + form.BrowseFolder).c_str());
}
void FillLookInList(FrmMain&) {}
