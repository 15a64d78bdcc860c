#pragma once
// The few platform names the byte parsers' headers use, so that the parsers build natively
// for the fuzz target. Only types and constants: nothing here is ever called.

typedef struct HWND__* HWND;
typedef unsigned int UINT;

#define MB_ICONERROR 0x00000010L
