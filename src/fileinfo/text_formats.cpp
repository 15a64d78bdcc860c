#include "fileinfo/text_formats.h"

std::string DateFormat = "Short Date";
std::string TimeFormat = "Long Time";
std::string ByteFormat = "#,,0";
ListDateTexts ListDates;

std::string FileTimeToText(const FILETIME&, const std::string&, const std::string&) { return {}; }
void FileTimeToListTexts(const FILETIME&, const std::string&, const std::string&) {}
std::string DateTimeText(const SYSTEMTIME&, const std::string&, const std::string&, const std::string&) { return {}; }
std::string SizeText(int64_t) { return {}; }
std::string ChooseByteFormat() { return "#,,0"; }
bool ReadDateText(const std::string&, SYSTEMTIME&) { return false; }
