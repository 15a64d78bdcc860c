#pragma once
// The Version page: the fixed-info labels, the key list and the value box.
#include "app/form.h"

#include <string>
#include <vector>

// Fills the page from the reader's result. ok is what GetVersionInfo returned. The six
// standard keys listed under a friendlier text ("Company Name", ...) take that text in `keys`
// too, so that later readers of the arrays see what the list shows.
void ShowVersionInfo(FrmMain& form, bool ok, std::vector<std::string>& keys,
                     const std::vector<std::string>& values);

// WM_COMMAND of the page's controls: a new selection in lstInfo shows its value, taken from
// form.current.values through the entry's item data.
void VersionPage_OnCommand(FrmMain& form, int id, int code);
