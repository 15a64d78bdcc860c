#include "fileinfo/file_icons.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/picture_box.h"
#include "fileinfo/resource_check.h"
#include "shell/registry.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

void DrawShellIcon(HWND picture, const std::string& path, bool small) {
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    // The system image list belongs to the shell: it is drawn from, never destroyed.
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags));
    PictureClear(picture);
    if (!list) return;
    LastApiResult = ImageList_Draw(list, info.iIcon, PictureDC(picture), 0, 0, ILD_TRANSPARENT);
    PictureRefresh(picture);
}

int32_t ExtractFileIcon(FrmMain& form, HWND picture, const std::string& path, int32_t index) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form.hwnd, GWLP_HINSTANCE));
    // The platform follows the file's icon entries unchecked: a damaged file counts as one
    // without icons instead of faulting inside it.
    HICON icon = CheckFileResources(path).icons ? ExtractIconA(instance, path.c_str(), static_cast<UINT>(index)) : nullptr;
    PictureClear(picture);
    if (index < 0) return static_cast<int32_t>(reinterpret_cast<INT_PTR>(icon));
    // 1 is the platform's "not a file with icons", not a handle.
    if (!icon || icon == reinterpret_cast<HICON>(1)) return 0;
    LastApiResult = DrawIcon(PictureDC(picture), 0, 0, icon);
    PictureRefresh(picture);
    DestroyIcon(icon);   // the drawing stays in the picture's image
    return 1;
}

void ShowFileIcons(FrmMain& form, const std::string& path) {
    DrawShellIcon(form.picIcon[0], path, false);
    DrawShellIcon(form.picIcon[1], path, true);
    int32_t count = ExtractFileIcon(form, form.picIcon[2], path, -1);
    if (count > 0) ExtractFileIcon(form, form.picIcon[2], path, 0);
    if (count > 1) {
        std::string label = "[";   // built in steps: GCC 12 warns falsely on "literal" + string
        label += std::to_string(count);
        label += ']';
        SetText(form.labIcon, label);
        ComboBox_ResetContent(form.cbxIcon);
        for (int32_t i = 1; i <= count; ++i) ComboBox_AddString(form.cbxIcon, std::to_string(i).c_str());
        ComboBox_SetCurSel(form.cbxIcon, 0);
        EnableWindow(form.cbxIcon, TRUE);
    } else {
        SetText(form.labIcon, "");
        EnableWindow(form.cbxIcon, FALSE);
    }
}

void cbxIcon_Click(FrmMain& form) {
    int selected = ComboBox_GetCurSel(form.cbxIcon);
    if (selected < 0) return;
    int32_t index = std::atoi(GetListText(form.cbxIcon, selected, true).c_str()) - 1;
    ExtractFileIcon(form, form.picIcon[2], form.current.CurrentPath, index);
}

bool CopyPictureToClipboard(FrmMain& form, HWND picture) {
    HBITMAP bitmap = PictureCopyBitmap(picture);
    if (!bitmap) return false;
    if (!OpenClipboard(form.hwnd)) {
        DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    bool done = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    if (!done) DeleteObject(bitmap);   // otherwise the clipboard owns it
    return done;
}
