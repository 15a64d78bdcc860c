#pragma once
// A one-line label whose text lives in the program, not in the window manager. The walk names
// every folder on it; a standard label hands each new text to the window system (under Wine a
// server round trip, as long as enumerating a small folder), where this one only keeps it.
// It answers WM_SETTEXT, WM_GETTEXT and WM_SETFONT as a static control does, cuts a long path in
// its middle, and draws with the colours its parent gives labels.
#include <windows.h>

extern const char StatusLabelClass[];

void RegisterStatusLabelClass(HINSTANCE instance);
