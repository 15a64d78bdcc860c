#pragma once
// The two tab strips of the window: which page is in front, and each tab sized to its caption.
#include "app/form.h"

void TabSwitchUpper(FrmMain& form, int index, int button = 1, int shift = 0, int x = 0, int y = 0);
void TabSwitchRight(FrmMain& form, int index, int button = 1, int shift = 0, int x = 0, int y = 0);

// Brings a tab forward with its page and makes it the current one (the previous tab is left as it is).
void ActivateTab(FrmMain& form, bool upper, int index);

// The width of a tab button with this caption, in pixels at the window's scale.
int TabWidth(const FrmMain& form, const std::string& caption);

// Widens each tab button of a strip to its caption and lines them up left to right.
void LayoutTabStrip(FrmMain& form, bool upper);

// The active tab of each strip stands raised above the others; a change of scale puts both back
// in line first and raises them again at the new scale.
void LowerActiveTabs(FrmMain& form);
void RaiseActiveTabs(FrmMain& form);
