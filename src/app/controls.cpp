#include "app/controls.h"

#include "app/dpi.h"
#include "app/platform.h"
#include "app/utf8_text.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

HFONT CreateFormFont(int dpi) {
    return CreateFontA(FontHeight(975, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

std::string GetText(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void SetText(HWND control, const std::string& text) { SetWindowTextA(control, text.c_str()); }

int GetCheckValue(HWND checkBox) {
    switch (Button_GetCheck(checkBox)) {
    case BST_CHECKED: return 1;
    case BST_INDETERMINATE: return 2;
    default: return 0;
    }
}

void SetCheckValue(HWND checkBox, int value) {
    Button_SetCheck(checkBox, value == 0 ? BST_UNCHECKED : value == 2 ? BST_INDETERMINATE : BST_CHECKED);
}

std::string GetListText(HWND list, int index, bool combo) {
    // Asked for as wide text: the platform's own narrow path for these messages copies through a
    // fixed buffer, and an entry of a few hundred characters (a long exclude folder) overran it
    // and ended the program at start-up.
    LRESULT length = SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min(static_cast<size_t>(std::max<LRESULT>(copied, 0)), text.size() - 1));
    return Utf8FromWide(text);
}

RECT ControlRect(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ControlLeft(HWND control) { return ControlRect(control).left; }
int ControlTop(HWND control) { return ControlRect(control).top; }
int ControlWidth(HWND control) {
    RECT r = ControlRect(control);
    return r.right - r.left;
}
int ControlHeight(HWND control) {
    RECT r = ControlRect(control);
    return r.bottom - r.top;
}

void MoveControl(HWND control, int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // Asking for the place a control already has still costs a round trip to the window system;
    // a layout repeated at start-up asks that for most of them.
    const RECT now = ControlRect(control);
    if (now.left == left && now.top == top && now.right - now.left == width && now.bottom - now.top == height) return;
    SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TextWidth(HWND control, const std::string& text) { return TextExtent(control, text).cx; }
int TextHeight(HWND control, const std::string& text) { return TextExtent(control, text).cy; }

namespace {

// Measured as wide text: whole characters, whatever code page the font's character set names.
SIZE ExtentInFont(HDC dc, HFONT font, const std::string& text) {
    SIZE size = {};
    if (!dc) return size;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    const std::wstring wide = WideFromUtf8(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (old) SelectObject(dc, old);
    return size;
}

}  // namespace

int FontTextWidth(HFONT font, const std::string& text) {
    WindowDc dc(nullptr);
    return ExtentInFont(dc.Get(), font, text).cx;
}

int FontLineHeight(HFONT font) {
    WindowDc dc(nullptr);
    if (!dc.Get()) return 1;
    HGDIOBJ old = font ? SelectObject(dc.Get(), font) : nullptr;
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc.Get(), &metrics);
    if (old) SelectObject(dc.Get(), old);
    return metrics.tmHeight > 0 ? static_cast<int>(metrics.tmHeight) : 1;
}

SIZE TextExtent(HWND control, const std::string& text) {
    WindowDc dc(control);
    return ExtentInFont(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), text);
}

namespace {

// Hands a copy of the bytes (with their terminator) to the open clipboard as format.
bool PutOnClipboard(UINT format, const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    bool done = false;
    if (void* bytes = GlobalLock(memory)) {
        std::copy(static_cast<const char*>(data), static_cast<const char*>(data) + size, static_cast<char*>(bytes));
        GlobalUnlock(memory);
        done = SetClipboardData(format, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);   // the clipboard owns it only once SetClipboardData took it
    return done;
}

} // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    // The wide text is what a program reading the clipboard in another code page gets right; the
    // single-byte text stays for those that ask for it.
    const std::wstring wide = WideFromUtf8(text);
    bool done = PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    done = PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1) && done;
    CloseClipboard();
    return done;
}
