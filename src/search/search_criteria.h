#pragma once
// The Find Files page's date criterion state and the handlers the settings pass runs.
#include <windows.h>

#include <cstdint>

struct FrmMain;

extern int16_t DateKindSelected;   // 0 created, 1 modified, 2 accessed
extern int16_t DateKind;           // DateKindSelected, plus 4 while "No matter what date" is checked

// "No matter what date" changed (by a click or by the settings pass).
void Check2_Changed(FrmMain& form);

// After the controls exist.
void FindPage_Init(FrmMain& form);
// WM_COMMAND of the Find Files page and of the period menu; true when handled.
bool FindPage_OnCommand(FrmMain& form, int id, int code, HWND control);
