#include "app/status_label.h"

#include "app/platform.h"
#include "app/utf8_text.h"

#include <string>

const char StatusLabelClass[] = "PlovnikStatus";

namespace {

struct LabelState {
    std::string text;
    HFONT font = nullptr;
};

LabelState* State(HWND hwnd) { return reinterpret_cast<LabelState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// Invisible while a walk keeps its drawing off: the text is drawn when drawing comes back.
void Redraw(HWND hwnd) {
    if (IsWindowVisible(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

void Paint(HWND hwnd, const LabelState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT box;
    GetClientRect(hwnd, &box);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &box, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = state.font ? SelectObject(dc, state.font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = WideFromUtf8(state.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
    if (size == 0 || buffer == 0) return 0;
    const size_t count = text.size() < size ? text.size() : size - 1;
    text.copy(reinterpret_cast<char*>(buffer), count);
    reinterpret_cast<char*>(buffer)[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT CALLBACK StatusLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LabelState* state = State(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        state = new LabelState;
        const char* initial = reinterpret_cast<CREATESTRUCTA*>(lp)->lpszName;
        if (initial) state->text = initial;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        break;
    }
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    if (!state) return DefWindowProcA(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_SETTEXT:
        state->text = lp ? reinterpret_cast<const char*>(lp) : "";
        Redraw(hwnd);
        return TRUE;
    case WM_GETTEXT: return CopyText(state->text, wp, lp);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(state->text.size());
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) Redraw(hwnd);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_ERASEBKGND: return 1;   // the paint fills the whole label
    case WM_PAINT: Paint(hwnd, *state); return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

void RegisterStatusLabelClass(HINSTANCE instance) {
    RegisterOwnClass(instance, StatusLabelClass, StatusLabelProc, CS_HREDRAW | CS_VREDRAW);
}
