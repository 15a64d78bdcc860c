#pragma once
// The main window: creation of every page and control, page switching, resizing, keyboard,
// the caption, the popup menus, and shut-down.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/form.h"

inline constexpr int32_t DesignWidthTwips = 9855;
inline constexpr int32_t MinWindowHeightTwips = 5310;

struct WindowTwips {
    int32_t left, top, width, height;
};
WindowTwips GetWindowTwips(const FrmMain& form);
void SetWindowTwips(FrmMain& form, int32_t left, int32_t top, int32_t width, int32_t height);

// Registers the window classes (once) and creates the window with all its controls, hidden.
// Start-up has not run yet: call StartUp (startup.h) next.
std::unique_ptr<FrmMain> CreateMainWindow(HINSTANCE instance);

// The window's caption: "Plovnik - " + context.
void SetCaption(FrmMain& form, const std::string& context);

void TabSwitchUpper(FrmMain& form, int index, int button = 1, int shift = 0, int x = 0, int y = 0);
void TabSwitchRight(FrmMain& form, int index, int button = 1, int shift = 0, int x = 0, int y = 0);

// Brings a tab forward with its page and makes it the current one (the previous tab is left as it is).
void ActivateTab(FrmMain& form, bool upper, int index);

// Widens each tab button of a strip to its caption and lines them up left to right.
void LayoutTabStrip(FrmMain& form, bool upper);

// Sizes the right-hand area to the client area (the left pages never change size).
void LayoutRightArea(FrmMain& form);

// Window-level key handling, seen before the focused control: true when the key was used.
bool FormKeyDown(FrmMain& form, WPARAM key, bool ctrl, bool shift);

// One message through the window's keyboard preview and dialog navigation, then dispatched.
void ProcessMessage(FrmMain& form, MSG& msg);

// Runs the message loop until the window is gone; returns the exit code.
int RunMessageLoop(FrmMain& form);

// Draws the two-line etched separator across a page at y.
void DrawEtchedLine(HWND page, int y, int margin);

// The window procedure's form, or nullptr.
FrmMain* FormFromWindow(HWND hwnd);
