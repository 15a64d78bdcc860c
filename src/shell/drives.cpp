#include "shell/drives.h"

#include "app/platform.h"

#include "app/text_case.h"
#include "fileinfo/find_record.h"
#include "shell/registry.h"

#include <shellapi.h>

namespace {

// The name the file system itself keeps for the last part of path (its long name, as stored),
// found being that entry's record.
std::string StoredName(const std::string& path, const WIN32_FIND_DATAA& found) {
    // A name that does not lead back here would rebuild the path into another folder.
    size_t slash = path.find_last_of('\\');
    return ReachableName(slash == std::string::npos ? std::string() : path.substr(0, slash + 1), found);
}

// The name one part of a path is shown under. The shell's display name is wanted, but it is
// not always a name the file system knows: localised folder names and hidden extensions name
// nothing on disk, and an unknown path has no display name at all. A rebuilt path must still
// lead to the same place, so those cases fall back to the stored name, then to the part as given.
std::string PartName(const std::string& sourcePrefix, const std::string& part, const std::string& builtSoFar) {
    // "." and ".." are steps, not names; the shell would name the folder they lead to.
    if (part == "." || part == "..") return part;
    const std::string source =
        !sourcePrefix.empty() && sourcePrefix.back() == '\\' ? sourcePrefix.substr(0, sourcePrefix.size() - 1) : sourcePrefix;
    WIN32_FIND_DATAA found = {};
    const bool listed = !HasWildcard(source) && FindOneRecord(source, found);
    // For a folder the shell cannot customise (nearly all) the stored name is the display name,
    // and the shell call (milliseconds under Wine) is saved.
    const bool plainFolder = listed && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                             !CustomisableFolder(found.dwFileAttributes);
    std::string shown = plainFolder ? std::string() : ShellDisplayName(sourcePrefix);
    if (!shown.empty()) {
        if (SameTextNoCase(shown, part)) return shown;
        // The shell's name may have come over changed by the code page and name another entry.
        const std::string shownPath = builtSoFar + "\\" + shown;
        if (GetFileAttributesA(shownPath.c_str()) != INVALID_FILE_ATTRIBUTES &&
            SameEntryReached(shownPath, source))
            return shown;
    }
    std::string stored = listed ? StoredName(source, found) : std::string();
    return stored.empty() ? part : stored;
}

// GetWindowsDirectoryA / GetSystemDirectoryA into a buffer that is large enough.
template <typename Call>
std::string FolderFromPlatform(Call call) {
    std::string buffer(260, ' ');
    UINT length = call(buffer.data(), static_cast<UINT>(buffer.size()));
    LastApiResult = static_cast<int32_t>(length);
    if (length >= buffer.size()) {
        buffer.assign(length + 1, ' ');
        length = call(buffer.data(), static_cast<UINT>(buffer.size()));
        LastApiResult = static_cast<int32_t>(length);
        if (length >= buffer.size()) length = 0;
    }
    return ShellPath(buffer.substr(0, length), 1);
}

}  // namespace

bool CustomisableFolder(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

std::string ShellDisplayName(const std::string& path) {
    std::string name;
    LastApiResult = static_cast<int32_t>(ShellNames(path, name));
    return LastApiResult ? name : std::string();
}

std::string ShellPath(const std::string& path, int16_t mode) {
    if (path.empty()) return {};
    size_t first = path.find('\\');
    if (first == std::string::npos || first == path.size() - 1) return UpperText(path);

    std::string result = UpperText(path.substr(0, first));
    bool endedWithSeparator = true;
    size_t position = first;
    while (position + 1 < path.size()) {
        size_t next = path.find('\\', position + 1);
        if (next == std::string::npos) {
            next = path.size();
            endedWithSeparator = false;
        }
        std::string part = path.substr(position + 1, next - position - 1);
        // A doubled separator names no part; it is dropped rather than turned into a name.
        if (!part.empty()) {
            std::string prefix = path.substr(0, next < path.size() ? next + 1 : next);
            std::string name = PartName(prefix, part, result);
            result += '\\';
            result += name;
        }
        position = next;
    }
    if (mode == 1 || (mode == 2 && endedWithSeparator)) result += "\\";
    return result;
}

DriveRoots ParseDriveRoots(std::string_view buffer) {
    DriveRoots result;
    size_t start = 0;
    while (start < buffer.size()) {
        size_t end = buffer.find('\0', start);
        // A root without its NUL (a cut-off buffer) is not a whole root; it is left out.
        if (end == std::string_view::npos || end == start) break;
        std::string_view root = buffer.substr(start, end - start);
        result.roots.append(root);
        result.roots.push_back('\0');
        if (root.size() > 1) result.drives.push_back(UpperText(std::string(root.substr(0, root.size() - 1))));
        start = end + 1;
    }
    return result;
}

std::string DriveEntryName(UINT driveType, const std::string& drive, const std::string& shellName) {
    const std::string letter = "(" + drive + ")";
    if (driveType < DRIVE_NO_ROOT_DIR || driveType > DRIVE_CDROM) return "Unknown Drive Type " + letter;
    if (shellName.empty()) return letter;
    if (shellName.find(letter) != std::string::npos || shellName.find(UpperText(letter)) != std::string::npos)
        return shellName;
    return shellName + " " + letter;
}

void DriveList(std::vector<std::string>& names, std::string& roots) {
    names.clear();
    std::string buffer(2048, '\0');
    DWORD length = GetLogicalDriveStringsA(2047, buffer.data());
    if (length > 2047) length = 2047;
    DriveRoots parsed = ParseDriveRoots(std::string_view(buffer.data(), length + 1));
    roots = parsed.roots;
    for (const std::string& drive : parsed.drives) {
        // The root with its "\": without it the type is that of the drive's current folder.
        UINT type = GetDriveTypeA((drive + "\\").c_str());
        bool known = type >= DRIVE_NO_ROOT_DIR && type <= DRIVE_CDROM;
        names.push_back(DriveEntryName(type, drive, known ? ShellDisplayName(drive + "\\") : std::string()));
    }
}

std::string MyComputerName() {
    std::string name = RegFirstValue(static_cast<int32_t>(0x80000000u), "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    // The value's data comes with its terminating NUL, which ends the name.
    size_t end = name.find('\0');
    if (end != std::string::npos) name.resize(end);
    return name.empty() ? std::string("My Computer") : name;
}

std::string WindowsFolder() {
    return FolderFromPlatform([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return FolderFromPlatform([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}
