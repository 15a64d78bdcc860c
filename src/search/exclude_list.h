#pragma once
// The exclude-folders list as the walk uses it.
#include <windows.h>

#include <string>
#include <vector>

struct FrmMain;

// The active exclude entries as one delimited search text; empty when excluding is off.
extern std::string ExcludeString;

// The search text of the entries: each one wrapped in "/" (a character no name can hold, so
// only whole entries match); "/" alone for an active empty list; "" when excluding is off.
std::string BuildExcludeString(const std::vector<std::string>& entries, bool checked);

// The question cmdRemove asks before it removes entry.
std::string RemoveQuestion(const std::string& entry);

// "Exclude Folders" changed (by a click or by the settings pass).
void chkXclude_Changed(FrmMain& form);

// Adds the Browse page's folder unless it is listed already.
void cmdAdd_Click(FrmMain& form);
// Removes the selected entry after the user agrees.
void cmdRemove_Click(FrmMain& form);
// Widens the drop-down part to the longest entry.
void cbxXclude_Click(FrmMain& form);

// WM_COMMAND of the exclude list's controls on the Settings page; true when handled.
bool ExcludeList_OnCommand(FrmMain& form, int id, int code, HWND control);
