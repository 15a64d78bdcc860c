#pragma once
// The window's sizes are written as design pixels, pixels at 96 DPI, and become real pixels for
// the DPI the window is shown at only here, where they are used. The window's own place and size
// stay in twips, 1440 to the inch whatever the DPI.
#include <windows.h>

inline constexpr int DesignDpi = 96;
inline constexpr int TwipsPerInch = 1440;

// The DPI the window is shown at: its monitor's where the platform keeps one per window,
// otherwise the system's.
int WindowDpi(HWND window);

// Design pixels to pixels at dpi, and back; each rounds to the nearest pixel.
int Scale(int designPixels, int dpi);
int Unscale(int pixels, int dpi);
RECT ScaleRect(const RECT& design, int dpi);

// Twips to pixels cuts toward zero, as the window's place was always read.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

// The height to ask a font for to get a font of hundredths of points at dpi (negative: the
// height of the characters, as points measure them), in whole pixels cut toward zero.
int FontHeight(int hundredthsOfPoints, int dpi);
