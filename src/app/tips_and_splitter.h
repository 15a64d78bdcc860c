#pragma once
// Two small mouse behaviours of the main window that share the hidden box `pop`: the tooltip
// that shows a value label's whole text, and the guide bar of the Browse page's splitter.
// Double clicks on the value labels and the version list copy what they show.
#include <windows.h>

struct FrmMain;

// After the controls exist: subclass the value labels, the version list and its value box.
void TipsAndSplitter_Init(FrmMain& form);

// The mouse moved over value label index (x in the label's pixels).
void ValueLabelMouseMove(FrmMain& form, int index, int x);
// The mouse moved over the window background, a left page, lstInfo or txtInfoVal.
void BackgroundMouseMove(FrmMain& form, bool resetsTip);
// The tooltip timer ticked (also hides a shown tooltip when called directly).
void TipTimerTick(FrmMain& form);

// Double clicks: a value label or its key label; the version list or its value box.
void CopyValueLabel(FrmMain& form, int index);
void CopyVersionEntry(FrmMain& form);

// Mouse messages of the Browse page (page pixels); true when the splitter used them.
bool BrowseSplitterMouse(FrmMain& form, UINT message, int x, int y);
// The pointer the Browse page shows while over the gap between its two lists, or nullptr.
HCURSOR BrowseSplitterCursor(const FrmMain& form);

// Enables or disables Timer1 with an interval in milliseconds (0 disables).
void SetTimer1(FrmMain& form, UINT interval);
