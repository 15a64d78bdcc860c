#include "search/results_list.h"

#include "app/form.h"

bool SortStopRequested = false;
std::array<int32_t, 3> ColumnWidths = {0, 0, 0};

void DoListBox(FrmMain&, const std::array<int32_t, 3>&) {}
void ShortenName(FrmMain&, size_t) {}
void ResultsPage_Init(FrmMain&) {}
bool ResultsPage_OnCommand(FrmMain&, int, int, HWND) { return false; }
