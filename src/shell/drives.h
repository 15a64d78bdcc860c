#pragma once
// Drives and folders by the names the shell shows: the drive list, the computer folder's name,
// the Windows and system folders, and paths rebuilt from the display names of their parts.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// SHGetFileInfoA display name of a file, folder or drive root ("" when the shell does not know
// the path). The call's result goes to LastApiResult.
std::string ShellDisplayName(const std::string& path);

// Whether a folder with these attributes may be shown by the shell under another name than the
// one stored: the shell names a folder otherwise only when it is customised, and it customises
// only folders marked read-only or system.
bool CustomisableFolder(DWORD attributes);

// Rebuilds path from the shell's display names of its parts (the stored names of folders it
// cannot customise, which are the same), drive in upper case
// (c:\progra~1 -> C:\Program Files). mode 0: no trailing "\"; 1: always one; 2: one only when
// path ended with one. A path without a "\" after its first character comes back upper-cased.
std::string ShellPath(const std::string& path, int16_t mode);

// The platform's root list split up. roots keeps each root with its NUL ("C:\\\0D:\\\0"),
// nothing after the last one; drives holds the roots without their "\" in upper case ("C:").
struct DriveRoots {
    std::string roots;
    std::vector<std::string> drives;
};
DriveRoots ParseDriveRoots(std::string_view buffer);

// The name a drive is listed under: the shell's name of its root for the types the platform
// determines (1..5), "Unknown Drive Type (X:)" otherwise. The drive letter in parentheses is
// always part of it, because the search page reads the drive back from there.
std::string DriveEntryName(UINT driveType, const std::string& drive, const std::string& shellName);

// The drives in the platform's order by their listed names; roots as in DriveRoots.
void DriveList(std::vector<std::string>& names, std::string& roots);

// The computer folder's display name from the registry, "My Computer" when it has none.
std::string MyComputerName();

// The Windows and system folders in the shell's form, each ending in "\".
std::string WindowsFolder();
std::string SystemFolder();
