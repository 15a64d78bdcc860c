#pragma once
// WM_COMMAND of the General page's controls and of the menu items that act on the current file.
#include <windows.h>

struct FrmMain;

bool GeneralPage_OnCommand(FrmMain& form, int id, int code, HWND control);
