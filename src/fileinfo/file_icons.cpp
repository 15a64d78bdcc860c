#include "fileinfo/file_icons.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/picture_box.h"
#include "app/platform.h"
#include "fileinfo/resource_check.h"
#include "shell/registry.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

namespace {

// The icons fill their square picture, whose size follows the window's scale.
int PictureSize(HWND picture) {
    RECT r = {};
    GetClientRect(picture, &r);
    return r.right;
}

} // namespace

void DrawShellIcon(HWND picture, const std::string& path, bool small) {
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    // The system image list belongs to the shell: it is drawn from, never destroyed. Its images
    // have the size the system's scale asks for; a monitor of another scale gets them resized.
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags));
    PictureClear(picture);
    if (!list) return;
    HICON icon = ImageList_GetIcon(list, info.iIcon, ILD_TRANSPARENT);
    if (!icon) return;
    const int size = PictureSize(picture);
    LastApiResult = DrawIconEx(PictureDC(picture), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    PictureRefresh(picture);
}

int32_t ExtractFileIcon(FrmMain& form, HWND picture, const std::string& path, int32_t index) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form.hwnd, GWLP_HINSTANCE));
    // The platform follows the file's icon entries unchecked: a damaged file counts as one
    // without icons instead of faulting inside it.
    const bool checked = CheckFileResources(path).icons;
    PictureClear(picture);
    if (index < 0) {
        HICON count = checked ? ExtractIconA(instance, path.c_str(), static_cast<UINT>(-1)) : nullptr;
        return static_cast<int32_t>(reinterpret_cast<INT_PTR>(count));
    }
    // The file's own image nearest the picture's size, resized to it where the file has none as big.
    const int size = PictureSize(picture);
    HICON icon = nullptr;
    UINT id = 0;
    const UINT got = checked ? PrivateExtractIconsA(path.c_str(), index, size, size, &icon, &id, 1, 0) : 0;
    if (got == 0 || got == 0xFFFFFFFF || !icon) return 0;
    LastApiResult = DrawIconEx(PictureDC(picture), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    PictureRefresh(picture);
    DestroyIcon(icon);   // the drawing stays in the picture's image
    return 1;
}

void DrawProgramIcon(FrmMain& form) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form.hwnd, GWLP_HINSTANCE));
    const int size = PictureSize(form.picIcon[0]);
    PictureClear(form.picIcon[0]);
    if (HICON icon = ProgramIcon(instance, size)) {
        PictureDrawIcon(form.picIcon[0], icon, size);
        DestroyIcon(icon);
    }
}

void RedrawFileIcons(FrmMain& form) {
    const std::string& path = form.current.CurrentPath;
    if (path.empty()) {
        DrawProgramIcon(form);
        return;
    }
    DrawShellIcon(form.picIcon[0], path, false);
    DrawShellIcon(form.picIcon[1], path, true);
    const int selected = IsWindowEnabled(form.cbxIcon) ? ComboBox_GetCurSel(form.cbxIcon) : 0;
    ExtractFileIcon(form, form.picIcon[2], path, selected < 0 ? 0 : selected);
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
