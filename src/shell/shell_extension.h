#pragma once
// The Explorer verb for drives and folders, switched on the Settings page.
#include <windows.h>

struct FrmMain;

// "Explorer Shell Extension" changed; a grayed box means: show whether the verb exists.
void chkShellExt_Changed(FrmMain& form);
bool ShellExtension_OnCommand(FrmMain& form, int id, int code, HWND control);
