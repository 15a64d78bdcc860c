// Drive list, display names and paths rebuilt from them, against the test prefix's drives
// (C: the prefix's drive_c, Q: mapped to a missing folder, Z: the host's root).
#include <gtest/gtest.h>

#include "app/text_case.h"

#include "shell/drives.h"
#include "shell/registry.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <string>

using namespace std::string_literals;

namespace {

std::string ShortName(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

TEST(ParseDriveRoots, SplitsThePlatformsRootList) {
    struct Case {
        std::string buffer;
        std::string roots;
        std::vector<std::string> drives;
    } cases[] = {
        {"C:\\\0D:\\\0\0"s, "C:\\\0D:\\\0"s, {"C:", "D:"}},
        {"a:\\\0c:\\\0\0garbage\0"s, "a:\\\0c:\\\0"s, {"A:", "C:"}},  // nothing after the double NUL
        {"C:\\\0D:"s, "C:\\\0"s, {"C:"}},                            // cut off inside a root
        {"\0"s, "", {}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        DriveRoots parsed = ParseDriveRoots(c.buffer);
        EXPECT_EQ(parsed.roots, c.roots);
        EXPECT_EQ(parsed.drives, c.drives);
    }
}

TEST(DriveEntryName, FollowsTheDriveTypeTable) {
    struct Case {
        UINT type;
        const char* drive;
        const char* shellName;
        const char* expected;
    } cases[] = {
        {DRIVE_FIXED, "C:", "Local Disk (C:)", "Local Disk (C:)"},
        {DRIVE_NO_ROOT_DIR, "Q:", " (Q:)", " (Q:)"},
        {DRIVE_REMOVABLE, "A:", "3\xBD Floppy (A:)", "3\xBD Floppy (A:)"},
        {DRIVE_REMOTE, "N:", "share on server (N:)", "share on server (N:)"},
        {DRIVE_CDROM, "E:", "CD Drive (E:)", "CD Drive (E:)"},
        {DRIVE_UNKNOWN, "X:", "anything", "Unknown Drive Type (X:)"},
        {DRIVE_RAMDISK, "R:", "RAM (R:)", "Unknown Drive Type (R:)"},
        {7, "S:", "", "Unknown Drive Type (S:)"},
        // The search reads the drive back from "(X:)"; a name without it gets it.
        {DRIVE_FIXED, "C:", "System", "System (C:)"},
        {DRIVE_FIXED, "C:", "", "(C:)"},
    };
    for (const Case& c : cases) EXPECT_EQ(DriveEntryName(c.type, c.drive, c.shellName), c.expected) << c.drive;
}

TEST(ShellPath, RebuildsPathsFromTheShellsNames) {
    // The prefix keeps its folders in lower case ("windows", "system32").
    struct Case {
        std::string path;
        int16_t mode;
        std::string expected;
    } cases[] = {
        {"", 1, ""},
        {"c:\\", 0, "C:\\"},
        {"c:\\", 1, "C:\\"},
        {"c:", 1, "C:"},
        {"readme", 0, "README"},
        {"c:\\WINDOWS\\System32", 0, "C:\\windows\\system32"},
        {"c:\\WINDOWS\\System32", 1, "C:\\windows\\system32\\"},
        {"c:\\WINDOWS\\System32", 2, "C:\\windows\\system32"},
        {"c:\\WINDOWS\\System32\\", 2, "C:\\windows\\system32\\"},
        {"c:\\WINDOWS\\System32\\", 0, "C:\\windows\\system32"},
        {"c:\\windows\\\\system32\\", 1, "C:\\windows\\system32\\"},
        {"c:\\Windows\\No Such Folder\\x.Y", 0, "C:\\windows\\No Such Folder\\x.Y"},
        {"c:\\windows\\WIN.INI", 2, "C:\\windows\\win.ini"},
        // Steps up and in stay steps: the shell's name for them would be another folder's.
        {"c:\\WINDOWS\\.\\system32\\..\\", 2, "C:\\windows\\.\\system32\\..\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShellPath(c.path, c.mode), c.expected) << c.path << " mode " << c.mode;
}

TEST(ShellPath, ShortAndWronglyCasedNamesBecomeTheShownNames) {
    std::string shortProgramFiles = ShortName("C:\\Program Files");
    ASSERT_FALSE(shortProgramFiles.empty());
    EXPECT_EQ(ShellPath(LowerText(shortProgramFiles), 1), "C:\\Program Files\\") << shortProgramFiles;

    TempDir temp;
    std::string base = ShellPath(temp.Path(), 1);
    std::string folder = temp.MakeFolder("Mixed Case Folder\\Inner Part");
    EXPECT_EQ(ShellPath(LowerText(folder), 1), base + "Mixed Case Folder\\Inner Part\\");
    EXPECT_EQ(ShellPath(UpperText(ShortName(folder)), 2), base + "Mixed Case Folder\\Inner Part\\");
}

TEST(ShellDisplayName, RecordsTheShellsResult) {
    EXPECT_EQ(ShellDisplayName("c:\\windows"), "windows");
    EXPECT_NE(LastApiResult, 0);
    EXPECT_EQ(ShellDisplayName("c:\\no such folder here"), "");
    EXPECT_EQ(LastApiResult, 0);
}

TEST(DriveList, ListsEveryDriveWithItsLetter) {
    std::vector<std::string> names;
    std::string roots;
    DriveList(names, roots);
    DriveRoots parsed = ParseDriveRoots(roots);
    ASSERT_EQ(names.size(), parsed.drives.size());
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.back(), '\0');
    EXPECT_EQ(roots.find("\0\0"s), std::string::npos);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_NE(names[i].find("(" + parsed.drives[i] + ")"), std::string::npos) << names[i];
    // Q: points at a missing folder: the platform reports it without a root folder (type 1),
    // and it is still listed under the shell's name.
    EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    auto q = std::find(parsed.drives.begin(), parsed.drives.end(), "Q:");
    ASSERT_NE(q, parsed.drives.end());
    EXPECT_EQ(names[static_cast<size_t>(q - parsed.drives.begin())], ShellDisplayName("Q:\\"));
}

TEST(SystemFolders, EndInASeparatorAndNameThePlatformsFolders) {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string windows = WindowsFolder();
    EXPECT_EQ(UpperText(windows), UpperText(std::string(buffer) + "\\"));
    EXPECT_EQ(windows, ShellPath(buffer, 1));
    GetSystemDirectoryA(buffer, MAX_PATH);
    std::string system = SystemFolder();
    EXPECT_EQ(UpperText(system), UpperText(std::string(buffer) + "\\"));
    EXPECT_EQ(system.rfind(windows, 0), 0u);
}

TEST(MyComputerName, IsNeverEmpty) {
    std::string name = MyComputerName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
}
