#include "fileinfo/file_times.h"

bool FileTimeToLocalCalendar(const FILETIME&, SYSTEMTIME&) { return false; }
std::string DateTextToFileTime(const std::string& dateText, FILETIME& fileTime, int16_t, int16_t) {
    fileTime = {};
    return dateText;
}
bool FileExists(const std::string& path, bool) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
