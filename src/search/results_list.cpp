#include "search/results_list.h"

bool SortStopRequested = false;
std::array<int32_t, 3> ColumnWidths = {0, 0, 0};
