#include "fileinfo/attributes.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/seams.h"
#include "fileinfo/file_times.h"
#include "fileinfo/find_record.h"

#include <windows.h>

int16_t PendingFromBoxes(int16_t current, const std::array<bool, 5>& checked) {
    auto pending = static_cast<uint16_t>(current);
    for (size_t i = 0; i < AttrMasks.size(); ++i) {
        auto bit = static_cast<uint16_t>(AttrMasks[i]);
        pending = checked[i] ? static_cast<uint16_t>(pending | bit) : static_cast<uint16_t>(pending & ~bit);
    }
    return static_cast<int16_t>(pending);
}

uint32_t AttributesToWrite(int16_t pending) {
    uint32_t bits = static_cast<uint16_t>(pending) & ~static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY);
    // No bits at all is spelled "normal" to the file system.
    return bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits;
}

void ShowAttributes(FrmMain& form, const std::string& path) {
    CurrentFile& file = form.current;
    file.AttrLoading = true;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        file.CurrentAttributes = static_cast<int16_t>(attributes & 0xFFFF);
        file.PendingAttributes = file.CurrentAttributes;
        for (size_t i = 0; i < AttrMasks.size(); ++i)
            SetCheckValue(form.chkAttr[i], (file.CurrentAttributes & AttrMasks[i]) != 0 ? 1 : 0);
    }
    file.AttrLoading = false;
}

void chkAttr_Click(FrmMain& form, int) {
    CurrentFile& file = form.current;
    if (file.AttrLoading) return;
    std::array<bool, 5> checked{};
    for (size_t i = 0; i < checked.size(); ++i) checked[i] = GetCheckValue(form.chkAttr[i]) != 0;
    file.PendingAttributes = PendingFromBoxes(file.CurrentAttributes, checked);
}

void chkAttr_GotFocus(FrmMain& form, int) {
    if (!form.current.CurrentPath.empty()) ShowWindow(form.Image2, SW_SHOW);
}

void menApply_Click(FrmMain& form) {
    CurrentFile& file = form.current;
    if (RefuseMistakenName(form.hwnd, file.CurrentPath)) return;
    if (FileExists(file.CurrentPath, true)) {
        if (!SetFileAttributesA(file.CurrentPath.c_str(), AttributesToWrite(file.PendingAttributes))) {
            ShowMessage(form.hwnd, "Can't apply.", AppTitle, MB_ICONERROR);
            return;   // the edit is still pending: the indicator stays
        }
        // The directory bit is never written, but a folder stays a folder: keep it, so the
        // report and the Folder box still say so.
        file.CurrentAttributes = file.PendingAttributes;
    }
    ShowWindow(form.Image2, SW_HIDE);
}
