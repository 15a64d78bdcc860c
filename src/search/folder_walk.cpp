#include "search/folder_walk.h"

bool StopRequested = false;
