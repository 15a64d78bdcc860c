#pragma once
// A calendar record from its fields, for tests.
#include <windows.h>

inline SYSTEMTIME Calendar(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    SYSTEMTIME value = {};
    value.wYear = static_cast<WORD>(year);
    value.wMonth = static_cast<WORD>(month);
    value.wDay = static_cast<WORD>(day);
    value.wHour = static_cast<WORD>(hour);
    value.wMinute = static_cast<WORD>(minute);
    value.wSecond = static_cast<WORD>(second);
    value.wMilliseconds = static_cast<WORD>(ms);
    return value;
}
