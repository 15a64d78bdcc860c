#include "version/version_page.h"

#include "app/controls.h"

#include <windowsx.h>

namespace {

// Where a string key is shown: one of the three labels above the list, or a list entry under
// a friendlier text. Keys not named here are listed under their own text.
struct KeyPlace {
    const char* key;
    int label;              // lblValue index, or -1 for a list entry
    const char* listText;   // the entry text for list entries
};

const KeyPlace KeyPlaces[] = {
    {"FileVersion", 7, nullptr},
    {"FileDescription", 8, nullptr},
    {"LegalCopyright", 9, nullptr},
    {"CompanyName", -1, "Company Name"},
    {"InternalName", -1, "Internal Name"},
    {"LegalTrademarks", -1, "Legal Trademarks"},
    {"OriginalFilename", -1, "Original Filename"},
    {"ProductName", -1, "Product Name"},
    {"ProductVersion", -1, "Product Version"},
};

const std::string& ValueAt(const std::vector<std::string>& values, size_t i) {
    static const std::string none;
    return i < values.size() ? values[i] : none;
}

void ShowSelectedValue(FrmMain& form, const std::vector<std::string>& values) {
    const int selected = ListBox_GetCurSel(form.lstInfo);
    if (selected < 0) return;
    const LRESULT data = ListBox_GetItemData(form.lstInfo, selected);
    if (data == LB_ERR || data < 0) return;
    SetText(form.txtInfoVal, ValueAt(values, static_cast<size_t>(data)));
}

}  // namespace

void ShowVersionInfo(FrmMain& form, bool ok, std::vector<std::string>& keys,
                     const std::vector<std::string>& values) {
    ListBox_ResetContent(form.lstInfo);
    SetText(form.txtInfoVal, "");
    if (!ok) {
        for (int i = 8; i <= 14; ++i) SetText(form.lblValue[i], "");
        SetText(form.lblValue[7], "(no StringFileInfo resource)");
        SetText(form.lblValue[10], "(no FixedFileInfo resource)");
        ShowWindow(form.Image4, SW_HIDE);
        return;
    }
    // A file without one of the three label strings must not keep the previous file's text.
    for (int i = 7; i <= 9; ++i) SetText(form.lblValue[i], "");
    for (int i = 0; i <= 4; ++i) SetText(form.lblValue[10 + i], ValueAt(values, static_cast<size_t>(i)));

    for (size_t i = 5; i < keys.size(); ++i) {
        if (keys[i].empty()) continue;
        const KeyPlace* place = nullptr;
        for (const auto& candidate : KeyPlaces)
            if (keys[i] == candidate.key) place = &candidate;
        if (place && place->label >= 0) {
            SetText(form.lblValue[place->label], ValueAt(values, i));
            continue;
        }
        if (place) keys[i] = place->listText;
        const int entry = ListBox_AddString(form.lstInfo, keys[i].c_str());
        if (entry >= 0) ListBox_SetItemData(form.lstInfo, entry, static_cast<LPARAM>(i));
    }
    if (ListBox_GetCount(form.lstInfo) > 0) {
        ListBox_SetCurSel(form.lstInfo, 0);   // sends no notification: show its value here
        ShowSelectedValue(form, values);
    }
    ShowWindow(form.Image4, SW_SHOW);
}

void VersionPage_OnCommand(FrmMain& form, int id, int code) {
    if (id == ID_LSTINFO && code == LBN_SELCHANGE) ShowSelectedValue(form, form.current.values);
}
