#pragma once
// Small helpers over standard controls, in the terms the window code thinks in.
#include <windows.h>

#include <string>

// The font of every page and box: "MS Sans Serif" at 9.75 points for a window at dpi. The
// caller deletes it.
HFONT CreateFormFont(int dpi);

std::string GetText(HWND control);
void SetText(HWND control, const std::string& text);

// Check boxes hold 0 (clear), 1 (set) or 2 (grayed).
int GetCheckValue(HWND checkBox);
void SetCheckValue(HWND checkBox, int value);

// Text of entry index of a list box (or of a combo box when combo is true).
std::string GetListText(HWND list, int index, bool combo = false);

// A control's rectangle in its parent's client coordinates.
RECT ControlRect(HWND control);
int ControlLeft(HWND control);
int ControlTop(HWND control);
int ControlWidth(HWND control);
int ControlHeight(HWND control);
void MoveControl(HWND control, int left, int top, int width, int height);

// Size in pixels of text in the control's font.
SIZE TextExtent(HWND control, const std::string& text);
int TextWidth(HWND control, const std::string& text);
int TextHeight(HWND control, const std::string& text);
// Width in pixels of text in the font, measured on the screen.
int FontTextWidth(HFONT font, const std::string& text);
// Height in pixels of a line in the font (the screen's default font for none).
int FontLineHeight(HFONT font);

// Puts text on the clipboard; false when the clipboard could not be had.
bool CopyTextToClipboard(HWND owner, const std::string& text);
