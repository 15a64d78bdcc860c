#pragma once
// The shared date, time and size texts of the program.
#include <windows.h>

#include <cstdint>
#include <string>

// Patterns every date, time and byte text uses: "dd.mm.yyyy" or "Short Date"; "Long Time" or
// "Short Time"; "#..0" or "#,,0".
extern std::string DateFormat;
extern std::string TimeFormat;
extern std::string ByteFormat;

struct ListDateTexts {
    std::string DisplayText;   // exactly 20 characters
    std::string SortKey;       // exactly 20 characters
};
extern ListDateTexts ListDates;

std::string FileTimeToText(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern);
void FileTimeToListTexts(const FILETIME& fileTime, const std::string& datePattern, const std::string& timePattern);
std::string DateTimeText(const SYSTEMTIME& value, const std::string& datePattern, const std::string& separator,
                         const std::string& timePattern);
std::string SizeText(int64_t size);

// The start-up probe: "#..0" where the formatter reads "," as the decimal mark, else "#,,0".
std::string ChooseByteFormat();

// The one date reader of the program: true when the text reads as a date (with or without a
// time), in any form DateTimeText writes.
bool ReadDateText(const std::string& text, SYSTEMTIME& value);
