#pragma once
// The exclude-folders list as the walk uses it.
#include <string>

struct FrmMain;

// The active exclude entries as one delimited search text; empty when excluding is off.
extern std::string ExcludeString;

// "Exclude Folders" changed (by a click or by the settings pass).
void chkXclude_Changed(FrmMain& form);
