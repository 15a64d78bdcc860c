#pragma once
// The Browse page (drive, folder and file lists) and its part of start-up.
//
// Dir1 is an owner-drawn list box that behaves like a classic folder list: the ancestors of the
// open folder from the drive's root down, the open folder itself, then its subfolders, indented
// by depth. A single click only highlights an item; a double click, Enter or Space opens it.
// Each item's text is its name ("C:\" for the root); its item data holds the depth and whether
// it lies on the open path, so an item's full path can always be read back from the list.
#include <windows.h>

#include <string>
#include <vector>

struct FrmMain;

// After the controls exist: fill the drive list, subclass what needs it.
void BrowsePage_Init(FrmMain& form);
// WM_COMMAND from a Browse page control; true when handled.
bool BrowsePage_OnCommand(FrmMain& form, int id, int code, HWND control);
// WM_DRAWITEM / WM_MEASUREITEM for the owner-drawn folder list; true when handled.
bool BrowsePage_OnDrawItem(FrmMain& form, const DRAWITEMSTRUCT& item);
// The folder list's item height for the window's present scale and font.
void BrowsePage_DpiChanged(FrmMain& form);
bool BrowsePage_OnMeasureItem(FrmMain& form, MEASUREITEMSTRUCT& item);

// Start-up: the command-line path (a file, a folder, a file in a drive's root; anything else ignored).
void ApplyCommandLine(FrmMain& form, const std::string& path);
// Dir1's folder changed (also run once at start-up when nothing chose a folder yet; with an
// empty Dir1 the current directory is opened first).
void Dir1Changed(FrmMain& form);
// The "Look in" list of the search page: computer, drives, Windows and system folders.
void FillLookInList(FrmMain& form);

// Opens folder in Dir1 (and selects its drive in Drive1), then runs Dir1Changed. False, with
// nothing changed, when the path is not a folder that can be read.
bool SetDir1Path(FrmMain& form, const std::string& folder);
// Dir1's open folder as the list holds it, ending in "\" ("" before any folder was opened).
std::string Dir1Path(const FrmMain& form);
// The full path of Dir1's item index, ending in "\" ("" for no such item).
std::string Dir1ItemPath(const FrmMain& form, int index);
// Opens Dir1's item index (a double click, Enter or Space on it).
void Dir1OpenItem(FrmMain& form, int index);

// True when path names a folder that can be listed. Otherwise, with showMessage, the user is told
// "The folder '<path>' does not exist.".
bool FolderExists(FrmMain& form, const std::string& path, bool showMessage);

// The name pattern of File1 ("*.*", "*.exe", several joined by ";"): relists the files and
// updates both Label2 texts.
void SetFile1Pattern(FrmMain& form, const std::string& pattern);

// Pure parts of the lists, over values.
struct DirEntry {
    std::string name;   // "C:\" for the root, otherwise the folder's name
    int depth = 0;
    bool open = false;  // on the path to the open folder (or the open folder itself)
};
// The Dir1 lines for folder (a drive-letter path ending in "\") and its subfolders' names.
std::vector<DirEntry> DirListEntries(const std::string& folder, const std::vector<std::string>& subfolders);
// The patterns of a File1 pattern text: split at ";", blanks trimmed, empty ones dropped;
// "*.*" when none is left.
std::vector<std::string> SplitFilePattern(const std::string& pattern);
// Label2(3)'s text for count listed files.
std::string FileCountText(int count);

// The folder lists know drive-letter paths only ("X:\..."), as the drive list offers nothing else.
bool IsDrivePath(const std::string& path);
// The root of a drive-letter path ("C:\").
std::string DriveRoot(const std::string& path);
// The folder above folder (a drive-letter path ending in "\"), ending in "\"; "" for a root.
std::string ParentFolder(const std::string& folder);
// path without the "\" that end it; a drive's root keeps its own.
std::string WithoutTrailingBackslashes(std::string path);
// A path cut after its last "\": the folder (ending in "\") and the name in it; both "" when the
// path holds no "\".
struct FolderAndName {
    std::string folder;
    std::string name;
};
FolderAndName SplitFolderAndName(const std::string& path);
