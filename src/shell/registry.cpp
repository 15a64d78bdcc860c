#include "shell/registry.h"

int32_t LastApiResult = 0;

std::string RegFirstValue(int32_t, const std::string&) { return {}; }
