#pragma once
// File times against local calendar values, and the existence test used everywhere.
#include <windows.h>

#include <cstdint>
#include <string>

#include "fileinfo/text_formats.h"

// Reads a local date text into a UTC file time. mode 2 ("accessed") drops the time of day;
// milliseconds go into the file time as given (0 for the start of a range, 999 for its end).
// "(unknown)" gives a zero file time and is returned unchanged. Otherwise returns the date as read,
// written again with DateTimeText(date, DateFormat, " ", TimeFormat). A text that does not read
// as a date, or a date the platform cannot convert, gives a zero file time; an unreadable text is
// returned unchanged. LastApiResult gets the result of each conversion call.
std::string DateTextToFileTime(const std::string& dateText, FILETIME& fileTime, int16_t mode, int16_t milliseconds);

// True when the path (a file or folder; a trailing "\" is ignored) exists. With showMessage a
// missing path is reported as "The file '<path>' does not exist.".
bool FileExists(const std::string& path, bool showMessage);
