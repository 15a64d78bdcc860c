#include "search/search_criteria.h"

#include "app/form.h"
#include "app/settings/settings.h"
#include "app/controls.h"

int16_t DateKindSelected = 0;
int16_t DateKind = 0;

void Check2_Changed(FrmMain& form) {
    auto value = static_cast<int16_t>(GetCheckValue(form.Check2));
    bool noMatter = value != 0;
    for (HWND box : form.txtDate) EnableWindow(box, !noMatter);
    DateKind = static_cast<int16_t>(DateKindSelected + (noMatter ? 4 : 0));
    Settings.noMatter = value;
}

void FindPage_Init(FrmMain&) {}

bool FindPage_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id == ID_CHECK2 && code == BN_CLICKED) {
        Check2_Changed(form);
        return true;
    }
    return false;
}
