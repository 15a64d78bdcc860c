#include "app/dpi.h"

namespace {

int Usable(int dpi) { return dpi > 0 ? dpi : DesignDpi; }

// The per-window DPI is known from Windows 10 (1607) on only; older systems have the system's.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn PerWindowDpi() {
    static const GetDpiForWindowFn function = [] {
        HMODULE user = GetModuleHandleA("user32.dll");
        return user ? reinterpret_cast<GetDpiForWindowFn>(
                          reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                    : nullptr;
    }();
    return function;
}

} // namespace

int WindowDpi(HWND window) {
    if (GetDpiForWindowFn perWindow = PerWindowDpi(); perWindow && window) {
        if (UINT dpi = perWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return Usable(dpi);
}

int Scale(int designPixels, int dpi) { return MulDiv(designPixels, Usable(dpi), DesignDpi); }

int Unscale(int pixels, int dpi) { return MulDiv(pixels, DesignDpi, Usable(dpi)); }

RECT ScaleRect(const RECT& design, int dpi) {
    return {Scale(design.left, dpi), Scale(design.top, dpi), Scale(design.right, dpi), Scale(design.bottom, dpi)};
}

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(static_cast<long long>(twips) * Usable(dpi) / TwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, TwipsPerInch, Usable(dpi)); }

// Cut toward zero: a font a fraction of a pixel larger than the scale asks for has lines taller
// than the scaled lists and labels hold (19.5 pixels at 144 DPI gives 19, not 20).
int FontHeight(int hundredthsOfPoints, int dpi) {
    return -static_cast<int>(static_cast<long long>(hundredthsOfPoints) * Usable(dpi) / 7200);
}
