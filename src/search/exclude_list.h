#pragma once
// The exclude-folders list as the walk uses it.
#include <windows.h>

#include <string>

struct FrmMain;

// The active exclude entries as one delimited search text; empty when excluding is off.
extern std::string ExcludeString;

// "Exclude Folders" changed (by a click or by the settings pass).
void chkXclude_Changed(FrmMain& form);

// WM_COMMAND of the exclude list's controls on the Settings page; true when handled.
bool ExcludeList_OnCommand(FrmMain& form, int id, int code, HWND control);
