#include "search/exclude_list.h"

#include "app/controls.h"
#include "app/form.h"

#include <windowsx.h>

std::string ExcludeString;

void chkXclude_Changed(FrmMain& form) {
    ExcludeString.clear();
    if (GetCheckValue(form.chkXclude) == 0) return;
    int count = ComboBox_GetCount(form.cbxXclude);
    for (int i = 0; i < count; ++i) {
        ExcludeString += '|' + GetListText(form.cbxXclude, i, true);
    }
    if (!ExcludeString.empty()) ExcludeString += '|';
}

bool ExcludeList_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id == ID_CHKXCLUDE && code == BN_CLICKED) {
        chkXclude_Changed(form);
        return true;
    }
    return false;
}
