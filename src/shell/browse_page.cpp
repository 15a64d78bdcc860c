#include "shell/browse_page.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/subclass.h"
#include "app/settings/settings.h"
#include "app/seams.h"
#include "app/utf8_text.h"
#include "fileinfo/file_times.h"
#include "fileinfo/find_record.h"
#include "shell/drives.h"

#include <windowsx.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace {

// Dir1 item data: the depth in the low word, and whether the item lies on the open path.
constexpr LPARAM DirOpenFlag = 0x10000;
constexpr int DirIndentPixels = 10;   // design pixels per level

// ---- Small platform wrappers ------------------------------------------------------------

std::string FullPath(const std::string& path) {
    std::string buffer(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length >= buffer.size()) {
        buffer.assign(length + 1, '\0');
        length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length >= buffer.size()) length = 0;
    }
    buffer.resize(length);
    return buffer;
}

std::string CurrentFolder() {
    std::string buffer(MAX_PATH, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
        buffer.assign(length + 1, '\0');
        length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size()) length = 0;
    }
    buffer.resize(length);
    return buffer;
}

bool IsReadableFolder(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsListed(DWORD attributes) { return !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)); }

char UpperLetter(char letter) { return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter; }

// ---- The three lists ---------------------------------------------------------------------

std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    EntryFind find(folder + "*", found);
    if (!find.valid()) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsListed(found.dwFileAttributes)) continue;
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
        // A folder no name leads back to is left out: opening it would open another.
        std::string name = ReachableName(folder, found);
        if (!name.empty()) names.push_back(std::move(name));
    } while (find.Next(found));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

void FillDir1(FrmMain& form, const std::string& folder) {
    HWND list = form.Dir1;
    if (!list) return;
    std::vector<DirEntry> entries = DirListEntries(folder, Subfolders(folder));
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListBox_ResetContent(list);
    int openIndex = -1;
    for (const DirEntry& entry : entries) {
        int index = ListBox_AddString(list, entry.name.c_str());
        if (index < 0) continue;
        ListBox_SetItemData(list, index, entry.depth | (entry.open ? DirOpenFlag : 0));
        if (entry.open) openIndex = index;
    }
    ListBox_SetCurSel(list, openIndex);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int FillFile1(FrmMain& form, const std::string& folder) {
    HWND list = form.File1;
    if (!list) return 0;
    std::vector<std::string> patterns = SplitFilePattern(form.File1Pattern);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListBox_ResetContent(list);
    for (const std::string& pattern : patterns) {
        WIN32_FIND_DATAA found = {};
        EntryFind find(folder + pattern, found);
        if (!find.valid()) continue;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsListed(found.dwFileAttributes)) continue;
            // A file no name leads back to is still listed, under the name it came with; the
            // operations on it refuse it.
            std::string name = ReachableName(folder, found);
            if (name.empty()) name = found.cFileName;
            // Several patterns may match the same file; it is listed once.
            if (patterns.size() > 1 && ListBox_FindStringExact(list, -1, name.c_str()) != LB_ERR) continue;
            ListBox_AddString(list, name.c_str());
        } while (find.Next(found));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return ListBox_GetCount(list);
}

void SelectDriveOf(FrmMain& form, const std::string& folder) {
    if (!form.Drive1 || folder.empty()) return;
    char letter = UpperLetter(folder[0]);
    int count = ComboBox_GetCount(form.Drive1);
    for (int i = 0; i < count; ++i) {
        if (static_cast<char>(ComboBox_GetItemData(form.Drive1, i)) == letter) {
            ComboBox_SetCurSel(form.Drive1, i);
            return;
        }
    }
}

void FillDrive1(FrmMain& form) {
    std::vector<std::string> names;
    std::string roots;
    DriveList(names, roots);
    form.DriveRoots = roots;
    form.DriveNames = names;
    if (!form.Drive1) return;
    std::vector<std::string> drives = ParseDriveRoots(roots).drives;
    ComboBox_ResetContent(form.Drive1);
    for (size_t i = 0; i < names.size() && i < drives.size(); ++i) {
        int index = ComboBox_AddString(form.Drive1, names[i].c_str());
        if (index >= 0) ComboBox_SetItemData(form.Drive1, index, static_cast<unsigned char>(drives[i][0]));
    }
}

// ---- Handlers ----------------------------------------------------------------------------

void Drive1Changed(FrmMain& form) {
    int selected = ComboBox_GetCurSel(form.Drive1);
    if (selected < 0) return;
    std::string drive = {static_cast<char>(ComboBox_GetItemData(form.Drive1, selected)), ':'};
    // The drive's own current folder first, as the platform keeps one per drive; else its root.
    std::string folder = FullPath(drive);
    if (!IsDrivePath(folder) || UpperLetter(folder[0]) != drive[0] || !IsReadableFolder(folder)) folder = drive + "\\";
    if (SetDir1Path(form, folder)) return;
    ShowMessage(form.hwnd, "Drive " + drive + " is not available.", AppTitle, MB_OK | MB_ICONERROR);
    SelectDriveOf(form, Dir1Path(form));
}

void File1Clicked(FrmMain& form) {
    int selected = ListBox_GetCurSel(form.File1);
    if (selected < 0) return;
    std::string name = GetListText(form.File1, selected);
    if (!FileExists(form.BrowseFolder + name, false)) {
        SetText(form.Label2[3], FileCountText(FillFile1(form, form.BrowseFolder)));
        return;
    }
    if (form.showFile) form.showFile(form, form.BrowseFolder, name);
}

void File1DoubleClicked(FrmMain& form) {
    int selected = ListBox_GetCurSel(form.File1);
    if (selected < 0) return;
    CopyTextToClipboard(form.hwnd, form.BrowseFolder + GetListText(form.File1, selected));
}

// Both lists show the default arrow, whatever pointer the page around them chose.
bool ResetPointer(UINT message) {
    if (message != WM_SETCURSOR) return false;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return true;
}

LRESULT Dir1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data) {
    FrmMain& form = *reinterpret_cast<FrmMain*>(data);
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter opens a folder here instead of pressing a dialog's default button.
        const MSG* pending = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = CallPreviousProc(window, message, wParam, lParam);
        if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            Dir1OpenItem(form, ListBox_GetCurSel(window));
            return 0;
        }
        break;
    case WM_CHAR:
        // Their characters would otherwise start the list's incremental search.
        if (wParam == '\r' || wParam == ' ') return 0;
        break;
    default:
        if (ResetPointer(message)) return TRUE;
        break;
    }
    return CallPreviousProc(window, message, wParam, lParam);
}

LRESULT File1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
    if (ResetPointer(message)) return TRUE;
    return CallPreviousProc(window, message, wParam, lParam);
}

// ---- Drawing the folder list -------------------------------------------------------------

struct FolderIcons {
    HIMAGELIST list = nullptr;
    int closed = -1;
    int open = -1;
};

// The shell's generic folder pictures; the system image list lives as long as the process.
const FolderIcons& SystemFolderIcons() {
    static const FolderIcons icons = [] {
        FolderIcons result;
        SHFILEINFOA info = {};
        const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
        result.list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags));
        if (result.list) result.closed = info.iIcon;
        if (SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags | SHGFI_OPENICON))
            result.open = info.iIcon;
        return result;
    }();
    return icons;
}

// The size of the folder pictures as drawn: the shell's small images, or the scaled design
// size where the shell has none.
SIZE FolderIconSize(int dpi) {
    SIZE size = {Scale(16, dpi), Scale(16, dpi)};
    int cx = 0, cy = 0;
    if (const FolderIcons& icons = SystemFolderIcons(); icons.list && ImageList_GetIconSize(icons.list, &cx, &cy))
        size = {cx, cy};
    return size;
}

// Room for the folder pictures: the shell's small images are of the system's small icon size.
// (Asking the shell's image list itself here would make it at start-up, before the window shows.)
int ItemHeight(HWND list, HFONT font, int dpi) {
    const int text = FontLineHeight(font ? font : GetWindowFont(list));
    return std::max({GetSystemMetrics(SM_CYSMICON), Scale(16, dpi), text}) + Scale(2, dpi);
}

}  // namespace

// ---- Pure parts --------------------------------------------------------------------------

std::vector<DirEntry> DirListEntries(const std::string& folder, const std::vector<std::string>& subfolders) {
    std::vector<DirEntry> entries;
    if (folder.size() < 3) return entries;
    entries.push_back({DriveRoot(folder), 0, true});
    size_t start = 3;
    while (start < folder.size()) {
        size_t end = folder.find('\\', start);
        if (end == std::string::npos) end = folder.size();
        if (end > start) entries.push_back({folder.substr(start, end - start), static_cast<int>(entries.size()), true});
        start = end + 1;
    }
    const int depth = static_cast<int>(entries.size());
    for (const std::string& name : subfolders) entries.push_back({name, depth, false});
    return entries;
}

std::vector<std::string> SplitFilePattern(const std::string& pattern) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string part = pattern.substr(start, end - start);
        size_t first = part.find_first_not_of(" \t");
        size_t last = part.find_last_not_of(" \t");
        part = first == std::string::npos ? std::string() : part.substr(first, last - first + 1);
        // A pattern is matched inside the listed folder only; one naming another folder is dropped.
        if (!part.empty() && part.find_first_of("\\/:") == std::string::npos) parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty()) parts.push_back("*.*");
    return parts;
}

std::string FileCountText(int count) { return std::to_string(count) + " &file(s)"; }

bool IsDrivePath(const std::string& path) {
    return path.size() >= 3 && IsCharAlphaA(path[0]) && path[1] == ':' && path[2] == '\\';
}

std::string DriveRoot(const std::string& path) { return path.substr(0, 3); }

std::string ParentFolder(const std::string& folder) {
    if (folder.size() <= 3) return {};
    size_t cut = folder.find_last_of('\\', folder.size() - 2);
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}

std::string WithoutTrailingBackslashes(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

FolderAndName SplitFolderAndName(const std::string& path) {
    size_t separator = path.rfind('\\');
    if (separator == std::string::npos) return {};
    return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

// ---- The page ----------------------------------------------------------------------------

void BrowsePage_Init(FrmMain& form) {
    FillDrive1(form);
    if (form.Dir1) {
        BrowsePage_DpiChanged(form);
        SubclassControl(form.Dir1, Dir1Proc, reinterpret_cast<DWORD_PTR>(&form));
    }
    if (form.File1) SubclassControl(form.File1, File1Proc, 0);
}

bool BrowsePage_OnCommand(FrmMain& form, int id, int code, HWND) {
    switch (id) {
    case ID_DRIVE1:
        if (code == CBN_SELCHANGE) Drive1Changed(form);
        return true;
    case ID_DIR1:
        if (code == LBN_DBLCLK) Dir1OpenItem(form, ListBox_GetCurSel(form.Dir1));
        return true;
    case ID_FILE1:
        if (code == LBN_SELCHANGE) File1Clicked(form);
        else if (code == LBN_DBLCLK) File1DoubleClicked(form);
        return true;
    }
    return false;
}

void BrowsePage_DpiChanged(FrmMain& form) {
    if (form.Dir1) SendMessageA(form.Dir1, LB_SETITEMHEIGHT, 0, ItemHeight(form.Dir1, form.font, form.dpi));
}

bool BrowsePage_OnMeasureItem(FrmMain& form, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX || item.CtlID != ID_DIR1) return false;
    // Asked while the list is being made, before any font is known; Init sets the real height.
    item.itemHeight = static_cast<UINT>(std::max(Scale(16, form.dpi), Scale(13, form.dpi)) + Scale(2, form.dpi));
    return true;
}

bool BrowsePage_OnDrawItem(FrmMain& form, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX || item.CtlID != ID_DIR1) return false;
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
        return true;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int index = static_cast<int>(item.itemID);
    const LPARAM data = static_cast<LPARAM>(item.itemData);
    const int depth = static_cast<int>(data & 0xFFFF);
    const bool open = (data & DirOpenFlag) != 0;
    const int dpi = form.dpi;
    int x = box.left + Scale(2 + depth * DirIndentPixels, dpi);

    const FolderIcons& icons = SystemFolderIcons();
    const SIZE iconSize = FolderIconSize(dpi);
    const int iconTop = box.top + (box.bottom - box.top - iconSize.cy) / 2;
    if (index == 0) {
        // The drive's own picture for the root.
        SHFILEINFOA info = {};
        std::string root = GetListText(item.hwndItem, 0);
        if (SHGetFileInfoA(root.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) && icons.list)
            ImageList_Draw(icons.list, info.iIcon, dc, x, iconTop, ILD_TRANSPARENT);
    } else if (icons.list) {
        ImageList_Draw(icons.list, open ? icons.open : icons.closed, dc, x, iconTop, ILD_TRANSPARENT);
    }
    x += iconSize.cx + Scale(4, dpi);

    // The names are UTF-8; the ANSI call would read them in whatever code page the system runs.
    const std::wstring text = WideFromUtf8(GetListText(item.hwndItem, index));
    RECT textBox = {x, box.top, box.right, box.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
    return true;
}

std::string Dir1Path(const FrmMain& form) {
    if (!form.Dir1) return {};
    int count = ListBox_GetCount(form.Dir1);
    int openIndex = -1;
    for (int i = 0; i < count; ++i)
        if (ListBox_GetItemData(form.Dir1, i) & DirOpenFlag) openIndex = i;
    return openIndex < 0 ? std::string() : Dir1ItemPath(form, openIndex);
}

std::string Dir1ItemPath(const FrmMain& form, int index) {
    if (!form.Dir1 || index < 0 || index >= ListBox_GetCount(form.Dir1)) return {};
    if (!(ListBox_GetItemData(form.Dir1, index) & DirOpenFlag)) {
        std::string parent = Dir1Path(form);
        return parent.empty() ? std::string() : parent + GetListText(form.Dir1, index) + "\\";
    }
    // The open items come first, root at 0, so the path is their names in order.
    std::string path;
    for (int i = 0; i <= index; ++i) path = AddBackslash(path + GetListText(form.Dir1, i));
    return path;
}

bool SetDir1Path(FrmMain& form, const std::string& folder) {
    std::string full = FullPath(folder);
    if (!IsDrivePath(full) || !IsReadableFolder(full)) return false;
    full = AddBackslash(full);
    std::string shown = ShellPath(full, 1);
    if (!IsReadableFolder(shown)) {
        // The shell's names need not lead back to the folder; then only the drive takes its spelling.
        const std::string root = DriveRoot(full);
        shown = ShellPath(root, 1) + full.substr(root.size());
    }
    FillDir1(form, shown);
    SelectDriveOf(form, shown);
    Dir1Changed(form);
    return true;
}

void Dir1OpenItem(FrmMain& form, int index) {
    std::string path = Dir1ItemPath(form, index);
    if (path.empty()) return;
    if (SetDir1Path(form, path)) return;
    // The folder went away since the list was made: show the list as it is now.
    std::string current = Dir1Path(form);
    // ...or, when the open folder itself went away, its nearest ancestor that is still there.
    while (!current.empty() && !SetDir1Path(form, current)) current = ParentFolder(current);
}

void Dir1Changed(FrmMain& form) {
    std::string folder = Dir1Path(form);
    if (folder.empty()) {
        std::string start = AddBackslash(CurrentFolder());
        if (!IsDrivePath(start) || !IsReadableFolder(start)) start = WindowsFolder();
        std::string shown = ShellPath(start, 1);
        FillDir1(form, IsReadableFolder(shown) ? shown : start);
        SelectDriveOf(form, shown);
        folder = Dir1Path(form);
    }
    form.BrowseFolder = ShellPath(folder, 1);
    SetText(form.hwnd, std::string(AppTitle) + " - " + form.BrowseFolder);
    SetText(form.Combo2, form.BrowseFolder);
    int count = FillFile1(form, form.BrowseFolder);
    SetText(form.Label2[1], form.BrowseFolder + form.File1Pattern);
    SetText(form.Label2[3], FileCountText(count));
}

bool FolderExists(FrmMain& form, const std::string& path, bool showMessage) {
    if (IsReadableFolder(path)) return true;
    if (showMessage)
        ShowMessage(form.hwnd, "The folder '" + path + "' does not exist.", AppTitle, MB_OK | MB_ICONERROR);
    return false;
}

void ApplyCommandLine(FrmMain& form, const std::string& path) {
    if (path.empty()) return;
    if (FileExists(path, false)) {
        // A folder named with trailing separators, or a file with one: the separators name nothing.
        const std::string full = WithoutTrailingBackslashes(FullPath(path));
        DWORD attributes = GetFileAttributesA(full.c_str());
        // The existence test may accept what is no single file (a wildcard pattern); that is ignored.
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            SetDir1Path(form, full);
            return;
        }
        const FolderAndName parts = SplitFolderAndName(full);
        if (!parts.folder.empty() && SetDir1Path(form, parts.folder)) form.StartupFileName = parts.name;
        return;
    }
    if (FolderExists(form, path, false)) SetDir1Path(form, path);
}

void FillLookInList(FrmMain& form) {
    HWND list = form.Combo2;
    if (!list) return;
    auto add = [list](const std::string& text, LPARAM code) {
        int index = ComboBox_AddString(list, text.c_str());
        if (index >= 0) ComboBox_SetItemData(list, index, code);
    };
    add(MyComputerName(), 1);
    // The drive list asked the system for the drives a moment ago; asking again costs start-up.
    if (form.DriveRoots.empty()) {
        DriveList(form.DriveNames, form.DriveRoots);
    }
    for (const std::string& name : form.DriveNames) add(name, 2);
    add(WindowsFolder(), 0);
    add(SystemFolder(), 0);
    std::string remembered = GetText(list);
    // An empty text is no entry worth offering.
    if (!remembered.empty() &&
        SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remembered.c_str())) ==
            CB_ERR)
        add(remembered, 0);
}

void SetFile1Pattern(FrmMain& form, const std::string& pattern) {
    // Every search and every leaving of the Named box sets the pattern; the same pattern leaves
    // the list as it was listed (a large folder cost milliseconds a search to list again).
    if (pattern == form.File1Pattern) return;
    form.File1Pattern = pattern;
    // Before any folder is open there is nothing to list; the next folder change uses the pattern.
    if (form.BrowseFolder.empty()) return;
    int count = FillFile1(form, form.BrowseFolder);
    SetText(form.Label2[3], FileCountText(count));
    SetText(form.Label2[1], AddBackslash(form.BrowseFolder) + pattern);
}
