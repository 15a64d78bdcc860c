#include "app/frame.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/seams.h"

FrmMain* FormFromWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    char cls[32] = {};
    GetClassNameA(root ? root : hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, MainWindowClass) != 0) return nullptr;
    return reinterpret_cast<FrmMain*>(GetWindowLongPtrA(root ? root : hwnd, GWLP_USERDATA));
}

void ProcessMessage(FrmMain& form, MSG& msg) {
    if (form.hwnd && form.keyPreview && msg.message == WM_KEYDOWN &&
        (msg.hwnd == form.hwnd || IsChild(form.hwnd, msg.hwnd))) {
        bool alt = GetKeyState(VK_MENU) < 0;
        if (!alt && form.keyPreview(form, msg.wParam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0)) return;
    }
    if (form.hwnd && IsDialogMessageA(form.hwnd, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool PassWaitingMessages(FrmMain* form) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        FrmMain* owner = form ? form : msg.hwnd ? FormFromWindow(GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
        if (owner) {
            ProcessMessage(*owner, msg);
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

int RunMessageLoop(FrmMain& form) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) ProcessMessage(form, msg);
    return static_cast<int>(msg.wParam);
}

void SetCaption(FrmMain& form, const std::string& context) {
    SetWindowTextA(form.hwnd, (std::string(AppTitle) + " - " + context).c_str());
}

void PopupAtCursor(FrmMain& form, HMENU menu) {
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, form.hwnd, nullptr);
}

void SetDefaultFind(FrmMain& form, bool isDefault) {
    form.DefaultIsFind = isDefault;
    SendMessageA(form.cmdFind, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

WindowTwips GetWindowTwips(const FrmMain& form) {
    RECT r = {};
    GetWindowRect(form.hwnd, &r);
    const int dpi = form.dpi;
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi), PixelsToTwips(r.right - r.left, dpi),
            PixelsToTwips(r.bottom - r.top, dpi)};
}

void SetWindowTwips(FrmMain& form, int32_t left, int32_t top, int32_t width, int32_t height) {
    const int dpi = form.dpi;
    SetWindowPos(form.hwnd, nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
                 TwipsToPixels(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void RelayOutWindow(FrmMain& form) {
    RECT client = {};
    GetClientRect(form.hwnd, &client);
    SendMessageA(form.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void SetCheckAndNotify(FrmMain& form, HWND box, int value) {
    SetCheckValue(box, value);
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), ValueSetCode), reinterpret_cast<LPARAM>(box));
}
