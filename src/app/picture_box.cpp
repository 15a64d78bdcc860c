#include "app/picture_box.h"

#include "app/form.h"
#include "app/utf8_text.h"

namespace {

constexpr char kClassName[] = "PlovnikPicture";

struct PictureState {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    HGDIOBJ oldFont = nullptr;
    COLORREF background = 0;
    int width = 0;
    int height = 0;
};

PictureState* State(HWND hwnd) { return reinterpret_cast<PictureState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void NotifyParent(HWND hwnd, int code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

void FillBackground(PictureState& s) {
    RECT all = {0, 0, s.width, s.height};
    HBRUSH brush = CreateSolidBrush(s.background);
    FillRect(s.dc, &all, brush);
    DeleteObject(brush);
}

// The image covers the largest size the box has had, so growing never loses drawing.
void EnsureImage(HWND hwnd, PictureState& s) {
    RECT r;
    GetClientRect(hwnd, &r);
    int w = r.right > s.width ? r.right : s.width;
    int h = r.bottom > s.height ? r.bottom : s.height;
    if (s.dc && w == s.width && h == s.height) return;
    HDC screen = GetDC(hwnd);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w > 0 ? w : 1, h > 0 ? h : 1);
    ReleaseDC(hwnd, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PictureState next = s;
    next.dc = dc;
    next.bitmap = bitmap;
    next.oldBitmap = oldBitmap;
    next.width = w;
    next.height = h;
    FillBackground(next);
    if (s.dc) {
        BitBlt(dc, 0, 0, s.width, s.height, s.dc, 0, 0, SRCCOPY);
        SelectObject(s.dc, s.oldBitmap);
        DeleteObject(s.bitmap);
        DeleteDC(s.dc);
    }
    s = next;
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* state = new PictureState;
        state->background = static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(create->lpCreateParams));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        break;
    }
    case WM_CREATE:
        EnsureImage(hwnd, *State(hwnd));
        return 0;
    case WM_SIZE:
        if (State(hwnd)) EnsureImage(hwnd, *State(hwnd));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (PictureState* s = State(hwnd)) {
            RECT r;
            GetClientRect(hwnd, &r);
            BitBlt(dc, 0, 0, r.right, r.bottom, s->dc, 0, 0, SRCCOPY);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        NotifyParent(hwnd, PN_MOUSEUP);
        return 0;
    case WM_LBUTTONDBLCLK:
        NotifyParent(hwnd, PN_DBLCLK);
        return 0;
    case WM_MOUSEMOVE: {
        // Parents see movement over their pictures as movement over themselves.
        POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        MapWindowPoints(hwnd, GetParent(hwnd), &pt, 1);
        SendMessageA(GetParent(hwnd), WM_MOUSEMOVE, wp, MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_NCDESTROY:
        if (PictureState* s = State(hwnd)) {
            if (s->dc) {
                if (s->oldFont) SelectObject(s->dc, s->oldFont);
                SelectObject(s->dc, s->oldBitmap);
                DeleteObject(s->bitmap);
                DeleteDC(s->dc);
            }
            delete s;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        }
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

void RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kClassName, &wc)) return;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

HWND CreatePictureBox(HWND parent, int id, int x, int y, int width, int height, COLORREF background, bool border,
                      bool shown) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    RegisterPictureBoxClass(instance);
    const DWORD style = WS_CHILD | (shown ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS | (border ? WS_BORDER : 0);
    return CreateWindowExA(0, kClassName, "", style, x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           reinterpret_cast<void*>(static_cast<UINT_PTR>(background)));
}

HDC PictureDC(HWND picture) {
    PictureState* s = State(picture);
    return s ? s->dc : nullptr;
}

void PictureClear(HWND picture) {
    if (PictureState* s = State(picture)) FillBackground(*s);
    PictureRefresh(picture);
}

void PictureRefresh(HWND picture) { InvalidateRect(picture, nullptr, FALSE); }

void PictureDrawIcon(HWND picture, HICON icon, int size) {
    if (HDC dc = PictureDC(picture); dc && icon) DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    PictureRefresh(picture);
}

void PicturePrint(HWND picture, int x, int y, const std::string& text) {
    PictureState* s = State(picture);
    if (!s) return;
    auto font = reinterpret_cast<HFONT>(SendMessageA(picture, WM_GETFONT, 0, 0));
    if (font) {
        HGDIOBJ old = SelectObject(s->dc, font);
        if (!s->oldFont) s->oldFont = old;
    }
    SetBkMode(s->dc, TRANSPARENT);
    SetTextColor(s->dc, GetSysColor(COLOR_WINDOWTEXT));
    // UTF-8 in, whatever code page the system runs.
    const std::wstring wide = WideFromUtf8(text);
    TextOutW(s->dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    PictureRefresh(picture);
}

HBITMAP PictureCopyBitmap(HWND picture) {
    PictureState* s = State(picture);
    if (!s) return nullptr;
    RECT r;
    GetClientRect(picture, &r);
    HDC screen = GetDC(picture);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, r.right > 0 ? r.right : 1, r.bottom > 0 ? r.bottom : 1);
    ReleaseDC(picture, screen);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, r.right, r.bottom, s->dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return copy;
}
