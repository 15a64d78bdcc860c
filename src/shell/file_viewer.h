#pragma once
// The Display File page: the current file's text.
#include <windows.h>

struct FrmMain;

bool FileViewer_OnCommand(FrmMain& form, int id, int code, HWND control);
