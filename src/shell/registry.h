#pragma once
// Registry access over advapi32, and the program-wide result code of the last platform call.
#include <cstdint>
#include <string>

// Result code of the last registry, find, shell-info, icon or folder call that records it.
extern int32_t LastApiResult;

// Data of the first value of root\subKey ("" when the key cannot be opened or has no value).
std::string RegFirstValue(int32_t root, const std::string& subKey);
