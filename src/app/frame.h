#pragma once
// What every page uses of the window it lives in: finding the form from a window, the one
// message pass that long-running work (the walk, the sort) shares with the window, the caption,
// a popup at the cursor, the default button, the window's place in twips, and values the program
// sets on a control so that its page hears of them. It includes no page: the pages stand on it,
// and only the main window wires them together.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/form.h"

inline constexpr char MainWindowClass[] = "PlovnikMain";
inline constexpr int32_t DesignWidthTwips = 9855;
inline constexpr int32_t MinWindowHeightTwips = 5310;

// The main window procedure's form for hwnd or any window inside it, or nullptr.
FrmMain* FormFromWindow(HWND hwnd);

// One message through the window's keyboard preview and dialog navigation, then dispatched.
void ProcessMessage(FrmMain& form, MSG& msg);
// The one message pass of long-running work (the walk, the sort): every waiting message goes
// through ProcessMessage (with form nullptr, each message's own window's form, if any), so Stop, Escape and painting run. Answers false when a quit request
// came; it is posted again for the real loop.
bool PassWaitingMessages(FrmMain* form);
// Runs the message loop until the window is gone; returns the exit code.
int RunMessageLoop(FrmMain& form);

// The window's caption: "Plovnik - " + context.
void SetCaption(FrmMain& form, const std::string& context);

void PopupAtCursor(FrmMain& form, HMENU menu);

// Makes cmdFind the window's default button (Enter presses it), or no button.
void SetDefaultFind(FrmMain& form, bool isDefault);

struct WindowTwips {
    int32_t left, top, width, height;
};
WindowTwips GetWindowTwips(const FrmMain& form);
void SetWindowTwips(FrmMain& form, int32_t left, int32_t top, int32_t width, int32_t height);
// Lays the window's areas out again for its present size (after a change the size did not show).
void RelayOutWindow(FrmMain& form);

// The notification code of a WM_COMMAND the program itself sends when it has set a control's
// value: the page that owns the control handles it as its own change, but nothing takes it for
// a click (a three-state box is not stepped on).
inline constexpr int ValueSetCode = 0x7FFF;
// Sets a check box and lets its page hear of it.
void SetCheckAndNotify(FrmMain& form, HWND box, int value);
