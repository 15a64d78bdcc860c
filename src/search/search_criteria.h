#pragma once
// The Find Files page's date criterion state and the handlers the settings pass runs.
#include <cstdint>

struct FrmMain;

extern int16_t DateKindSelected;   // 0 created, 1 modified, 2 accessed
extern int16_t DateKind;           // DateKindSelected, plus 4 while "No matter what date" is checked

// "No matter what date" changed (by a click or by the settings pass).
void Check2_Changed(FrmMain& form);
