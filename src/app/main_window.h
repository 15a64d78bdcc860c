#pragma once
// The main window: creation of every page and control, resizing, keyboard, the popup menus,
// and shut-down. The only file that wires the pages to the window's messages.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/form.h"
#include "app/frame.h"
#include "app/tab_strips.h"

// Registers the window classes (once) and creates the window, hidden, with the frame and the
// pages the first window shows (General and Browse). Start-up has not run yet: call StartUp
// (startup.h) next, which makes the other pages. dpi 0: the window's own DPI; any other lays the
// window out at that DPI wherever it is shown (a layout to compare with).
std::unique_ptr<FrmMain> CreateMainWindow(HINSTANCE instance, int dpi = 0);

// Makes the Version, Find, Settings, Search Results and Display pages (once). Each control costs
// the window system a good part of a millisecond under Wine, so they are made after the first
// window is on the screen; start-up makes them before the first message is handled.
void MakeHiddenPages(FrmMain& form);

// Sizes the right-hand area to the client area (the left pages never change size).
void LayoutRightArea(FrmMain& form);

// Window-level key handling, seen before the focused control: true when the key was used.
bool FormKeyDown(FrmMain& form, WPARAM key, bool ctrl, bool shift);

// Draws the two-line etched separator across a page at y (pixels).
void DrawEtchedLine(HWND page, int y, int margin);
