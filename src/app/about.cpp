#include "app/about.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/picture_box.h"
#include "app/platform.h"
#include "app/seams.h"
#include "resource_ids.h"

#include <cstdio>
#include <vector>

namespace {

constexpr char kAboutClass[] = "PlovnikAbout";
constexpr int kOkId = IDOK;
constexpr int kLine1Id = 10;
constexpr int kLine2Id = 11;

// The program's own version block; empty when it has none.
std::vector<unsigned char> OwnVersionBlock() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) block.clear();
    return block;
}

LRESULT CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == kOkId || LOWORD(wp) == IDCANCEL) DestroyWindow(hwnd);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_NCDESTROY:
        if (auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) DeleteObject(font);
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

std::string AboutVersionText(int major, int minor, int revision) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", major, minor, revision);
    return text;
}

std::string AboutFirstLine() {
    std::vector<unsigned char> block = OwnVersionBlock();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::string(AppTitle) + " v" + AboutVersionText(0, 0, 0);
    }
    return std::string(AppTitle) + " v" +
           AboutVersionText(HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                            HIWORD(fixed->dwFileVersionLS));
}

std::string AboutSecondLine() {
    std::vector<unsigned char> block = OwnVersionBlock();
    char* text = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\LegalCopyright", reinterpret_cast<void**>(&text),
                        &length) ||
        !text) {
        return {};
    }
    std::string line(text, length);
    return line.substr(0, line.find('\0'));
}

HWND CreateAboutBox(HWND owner) {
    auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
    RegisterOwnClass(instance, kAboutClass, AboutProc);
    // Sizes in design pixels, at the scale of the window the box belongs to.
    const int dpi = WindowDpi(owner);
    auto S = [dpi](int designPixels) { return Scale(designPixels, dpi); };
    RECT frame = {0, 0, S(330), S(120)};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT ownerRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &ownerRect);
    int x = ownerRect.left + ((ownerRect.right - ownerRect.left) - width) / 2;
    int y = ownerRect.top + ((ownerRect.bottom - ownerRect.top) - height) / 2;
    HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutClass,
                               (std::string("About ") + AppTitle).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y,
                               width, height, owner, nullptr, instance, nullptr);
    HFONT font = CreateFormFont(dpi);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
    auto make = [&](const char* cls, const std::string& text, DWORD style, int x0, int y0, int w, int h, int id) {
        HWND c = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, S(x0), S(y0), S(w), S(h), box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    HWND picture = CreatePictureBox(box, 1, S(16), S(16), S(32), S(32), GetSysColor(COLOR_BTNFACE));
    if (HICON icon = ProgramIcon(instance, S(32))) {
        PictureDrawIcon(picture, icon, S(32));
        DestroyIcon(icon);
    }
    make("STATIC", AboutFirstLine(), SS_LEFT | SS_NOPREFIX, 64, 18, 250, 16, kLine1Id);
    make("STATIC", AboutSecondLine(), SS_LEFT | SS_NOPREFIX, 64, 40, 250, 32, kLine2Id);
    HWND ok = make("BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 240, 84, 74, 24, kOkId);
    ShowWindow(box, SW_SHOW);
    SetFocus(ok);
    return box;
}

void ShowAboutBox(HWND owner) {
    HWND box = CreateAboutBox(owner);
    if (!box) return;
    if (owner) EnableWindow(owner, FALSE);
    MSG msg = {};
    while (IsWindow(box) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    // A quit that arrived while the box was open belongs to the main loop.
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
}
