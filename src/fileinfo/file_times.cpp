#include "fileinfo/file_times.h"

#include "app/seams.h"
#include "fileinfo/text_formats.h"
#include "shell/registry.h"

// Conversions go through the time-zone rules for the instant's own date: the plain local file time
// calls apply today's daylight-saving bias to every time stamp, which shifts half the year by an hour.
std::string DateTextToFileTime(const std::string& dateText, FILETIME& fileTime, int16_t mode, int16_t milliseconds) {
    fileTime = {};
    if (dateText == "(unknown)") return dateText;
    SYSTEMTIME date = {};
    if (!ReadDateText(dateText, date)) return dateText;

    SYSTEMTIME local = {};
    local.wYear = date.wYear;
    local.wMonth = date.wMonth;
    local.wDayOfWeek = date.wDayOfWeek;
    local.wDay = date.wDay;
    if (mode != 2) {
        local.wHour = date.wHour;
        local.wMinute = date.wMinute;
        local.wSecond = date.wSecond;
    }
    local.wMilliseconds = static_cast<WORD>(milliseconds);

    SYSTEMTIME utc = {};
    BOOL converted = TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    LastApiResult = converted;
    if (converted) {
        FILETIME result = {};
        LastApiResult = SystemTimeToFileTime(&utc, &result);
        if (LastApiResult) fileTime = result;
    }
    return DateTimeText(date, DateFormat, " ", TimeFormat);
}

bool FileExists(const std::string& path, bool showMessage) {
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!name.empty() && GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return true;
    if (showMessage) ShowMessage(nullptr, "The file '" + name + "' does not exist.", AppTitle, MB_OK | MB_ICONERROR);
    return false;
}
