#pragma once
// A picture box that keeps what is drawn on it as its image (so it can be repainted and copied)
// and reports mouse releases and double clicks to its parent as WM_COMMAND notifications
// (PN_MOUSEUP, PN_DBLCLK from form.h).
#include <windows.h>

#include <string>

void RegisterPictureBoxClass(HINSTANCE instance);

HWND CreatePictureBox(HWND parent, int id, int x, int y, int width, int height, COLORREF background,
                      bool border = false, bool shown = true);

// The memory device context holding the image; draw on it, then PictureRefresh.
HDC PictureDC(HWND picture);
// Fills the image with the background colour.
void PictureClear(HWND picture);
void PictureRefresh(HWND picture);
// Draws an icon at (0, 0) at the given size and refreshes.
void PictureDrawIcon(HWND picture, HICON icon, int size);
// Prints text at (x, y) in the window's font and refreshes.
void PicturePrint(HWND picture, int x, int y, const std::string& text);
// A copy of the image as a device-dependent bitmap; the caller owns it.
HBITMAP PictureCopyBitmap(HWND picture);
