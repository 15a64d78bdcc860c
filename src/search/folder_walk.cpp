#include "search/folder_walk.h"

std::vector<FoundRow> FoundTable;
int16_t FoundCount = 0;
bool StopRequested = false;
