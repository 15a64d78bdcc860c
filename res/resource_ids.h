#pragma once
// Resource ids shared by the resource script and the code.
#define IDI_PLOVNIK 1
#define IDC_SPLIT   2
