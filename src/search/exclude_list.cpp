#include "search/exclude_list.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/seams.h"

#include <windowsx.h>

std::string ExcludeString;

namespace {

std::vector<std::string> Entries(HWND combo) {
    std::vector<std::string> entries;
    const int count = ComboBox_GetCount(combo);
    for (int i = 0; i < count; ++i) entries.push_back(GetListText(combo, i, true));
    return entries;
}

} // namespace

std::string BuildExcludeString(const std::vector<std::string>& entries, bool checked) {
    if (!checked) return {};
    std::string text = "/";
    for (const std::string& entry : entries) text += entry + "/";
    return text;
}

std::string RemoveQuestion(const std::string& entry) { return "Remove \r\n" + entry + "\r\nfrom Exclude List?"; }

void chkXclude_Changed(FrmMain& form) {
    ExcludeString = BuildExcludeString(Entries(form.cbxXclude), GetCheckValue(form.chkXclude) != 0);
}

void cmdAdd_Click(FrmMain& form) {
    const std::string& folder = form.BrowseFolder;
    // An empty entry would exclude nothing and could not be told apart in the list.
    if (!folder.empty() && ComboBox_FindStringExact(form.cbxXclude, -1, folder.c_str()) == CB_ERR) {
        const int added = ComboBox_AddString(form.cbxXclude, folder.c_str());
        if (added >= 0) ComboBox_SetCurSel(form.cbxXclude, added);
    }
    chkXclude_Changed(form);
}

void cmdRemove_Click(FrmMain& form) {
    const int selected = ComboBox_GetCurSel(form.cbxXclude);
    if (selected < 0) return;
    const std::string entry = GetListText(form.cbxXclude, selected, true);
    if (ShowMessage(form.hwnd, RemoveQuestion(entry), AppTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    ComboBox_DeleteString(form.cbxXclude, selected);
    if (ComboBox_GetCount(form.cbxXclude) > 0) ComboBox_SetCurSel(form.cbxXclude, 0);
    chkXclude_Changed(form);
}

void cbxXclude_Click(FrmMain& form) {
    HWND combo = form.cbxXclude;
    const int count = ComboBox_GetCount(combo);
    for (int i = 0; i < count; ++i) {
        const std::string text = GetListText(combo, i, true);
        if (SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0) < TextWidth(combo, text)) {
            SendMessageA(combo, CB_SETDROPPEDWIDTH, TextWidth(combo, text + "W"), 0);
        }
    }
}

bool ExcludeList_OnCommand(FrmMain& form, int id, int code, HWND) {
    switch (id) {
    case ID_CHKXCLUDE:
        if (code == BN_CLICKED) chkXclude_Changed(form);
        return true;
    case ID_CMDADD:
        if (code == BN_CLICKED) cmdAdd_Click(form);
        return true;
    case ID_CMDREMOVE:
        if (code == BN_CLICKED) cmdRemove_Click(form);
        return true;
    case ID_CBXXCLUDE:
        // Widened before the list opens, and again after a choice, as entries may have come.
        if (code == CBN_DROPDOWN || code == CBN_SELCHANGE) cbxXclude_Click(form);
        return true;
    default: return false;
    }
}
