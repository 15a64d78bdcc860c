#pragma once
// Making a file the current file: everything the General page shows about one path, and the
// Version page through the version reader.
#include <string>

#include "fileinfo/current_file.h"

struct FrmMain;

// folder ends in "\"; the full path is folder + name. An empty name changes nothing. A path
// that is not there shows its name, and no times, size, attributes, icons or version data.
void GetAllFileInfo(FrmMain& form, const std::string& folder, const std::string& name);

// Fills the names and time texts of path from its find record. A path the find call rejects
// (missing, or a wildcard pattern that would name some other file) is reported as
// "Invalid file" when showErrors is set, and leaves the name as given with empty times.
// True when the path was found.
bool FindData(const std::string& path, FileInfoTexts& texts, bool showErrors);

// The shell's display name and type name of path.
void GetShellNames(const std::string& path, std::string& displayName, std::string& typeName);

// The text before the first delimiter, or all of it.
std::string TextBeforeNul(const std::string& text, char delimiter = '\0');
