#pragma once
// File times against local calendar values, and the existence test used everywhere.
#include <windows.h>

#include <cstdint>
#include <string>

// UTC file time -> local calendar values at that instant's own date; false when it cannot convert.
bool FileTimeToLocalCalendar(const FILETIME& fileTime, SYSTEMTIME& local);

// Reads a local date text into a UTC file time. mode 2 ("accessed") drops the time of day.
// "(unknown)" gives a zero file time. Returns the date written again in the user's formats.
std::string DateTextToFileTime(const std::string& dateText, FILETIME& fileTime, int16_t mode, int16_t milliseconds);

// True when the path (a file or folder; a trailing "\" is ignored) exists. With showMessage a
// missing path is reported as "The file '<path>' does not exist.".
bool FileExists(const std::string& path, bool showMessage);
