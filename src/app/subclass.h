#pragma once
// Subclassing a control for one handler of ours. The previous procedure and the handler's data
// live in the control's user data, so a message costs one call more and nothing else
// (comctl32's SetWindowSubclass keeps them in window properties, which under Wine costs a
// server round trip on every message: seconds when a search adds thousands of lines).
#include <windows.h>

using SubclassHandler = LRESULT (*)(HWND control, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);

// One handler per control; the subclass goes away with the control.
void SubclassControl(HWND control, SubclassHandler handler, DWORD_PTR data);
// The same with the handler seeing messages as wide text. A control that answers text requests
// itself needs it: between a wide caller and a narrow procedure the platform copies the text
// through a buffer of its own, which a long line overruns.
void SubclassControlWide(HWND control, SubclassHandler handler, DWORD_PTR data);

// What the control would have done without the handler.
LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
