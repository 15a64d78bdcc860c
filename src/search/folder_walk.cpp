#include "search/folder_walk.h"

#include "app/form.h"
#include "app/frame.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "app/text_case.h"
#include "fileinfo/find_record.h"
#include "fileinfo/text_formats.h"
#include "search/exclude_list.h"
#include "search/wildcard_match.h"
#include "shell/drives.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <string_view>

bool StopRequested = false;
uint32_t RequiredAttributes = 0;

namespace {

// Suspends a window's drawing while the walk changes it, and resumes it on every way out.
class RedrawOff {
public:
    explicit RedrawOff(HWND window) : window_(window) { SendMessageA(window_, WM_SETREDRAW, 0, 0); }
    // What changed meanwhile is drawn: a window without drawing keeps no record of it.
    ~RedrawOff() {
        SendMessageA(window_, WM_SETREDRAW, static_cast<WPARAM>(-1), 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    HWND window_;
};

// cFileName up to its first NUL, never past the field.
size_t NameLength(const WIN32_FIND_DATAA& record) {
    size_t length = 0;
    while (length < sizeof record.cFileName && record.cFileName[length] != '\0') ++length;
    return length;
}

// cAlternateFileName up to its first NUL, never past the field; empty when the entry has none.
std::string_view ShortName(const WIN32_FIND_DATAA& record) {
    const char* field = record.cAlternateFileName;
    return std::string_view(field, static_cast<size_t>(std::find(field, field + sizeof record.cAlternateFileName, '\0') - field));
}

bool IsDotName(const char* name, size_t length) {
    return (length == 1 && name[0] == '.') || (length == 2 && name[0] == '.' && name[1] == '.');
}

constexpr DWORD kFolderBit = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Subfolders the walk may enter: real folders, not links to folders (a symbolic link or junction
// is a folder with the reparse-point bit; entering them lets two links to ".." make the walk
// exponential, and a link elsewhere would list that tree twice), not both hidden and system (the
// system's own hidden places), and not on the exclude list. probe holds "/" + folder; the test wraps the
// subfolder's path as an exclude entry is wrapped.
void CollectSubfolder(const WIN32_FIND_DATAA& record, const char* name, size_t length, const std::string& folder,
                      std::string& probe, std::vector<Subfolder>& subfolders) {
    if ((record.dwFileAttributes & kFolderBit) == 0 || IsDotName(name, length)) return;
    if ((record.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return;
    if ((record.dwFileAttributes & kHiddenSystem) == kHiddenSystem) return;
    if (!ExcludeString.empty()) {
        const size_t prefix = probe.size();
        probe.append(name, length);
        probe += "\\/";
        const bool excluded = ExcludeString.find(probe) != std::string::npos;
        probe.resize(prefix);
        if (excluded) return;
    }
    std::string path;
    path.reserve(folder.size() + length);
    path += folder;
    path.append(name, length);
    subfolders.push_back({std::move(path), record.dwFileAttributes});
}

// The time a date kind looks at, or nullptr for a kind that is not used.
const FILETIME* ChosenTime(const WIN32_FIND_DATAA& record, int16_t dateKind) {
    switch (dateKind) {
    case 0: case 4: return &record.ftCreationTime;
    case 1: case 5: return &record.ftLastWriteTime;
    case 2: case 6: return &record.ftLastAccessTime;
    default: return nullptr;
    }
}

// Brings the list's lines up to the table's rows and has the list drawn from then on. While its
// drawing is still off (a search empties it so) the count changes first, so its scroll bar is
// set once, for the lines it will show.
void ShowLines(HWND list) {
    CatchUpLines(list);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// The window's message pass; a quit request, or a window that went away, ends the walk.
void LetMessagesThrough(HWND list) {
    FrmMain* form = FormFromWindow(GetAncestor(list, GA_ROOT));
    if (!PassWaitingMessages(form && form->hwnd ? form : nullptr)) StopRequested = true;
    if (!IsWindow(list)) StopRequested = true;
}

} // namespace

std::optional<FoundRow> HitRow(const WIN32_FIND_DATAA& record, std::string_view name, const HitRule& rule,
                               const std::shared_ptr<const std::string>& folder) {
    const DWORD attributes = record.dwFileAttributes;
    if ((attributes & rule.required) < rule.required) return std::nullopt;
    const bool isFolder = (attributes & kFolderBit) != 0;
    // Skipping folders before the date test leaves the same hits and saves formatting a date
    // that is not shown.
    if (isFolder && (!rule.folders || IsDotName(name.data(), name.size()))) return std::nullopt;

    const FILETIME* time = ChosenTime(record, rule.dateKind);
    if (!time) return std::nullopt;
    const bool rangeTest = rule.dateKind >= 0 && rule.dateKind <= 2;
    if (rangeTest && (CompareFileTime(&rule.fromTime, time) > 0 || CompareFileTime(&rule.toTime, time) < 0))
        return std::nullopt;
    // The modified time is shown in place of the one tested when the user asked for it.
    const bool showModified = rule.showModified && rule.dateKind != 1;
    static const std::string noTime;
    std::shared_ptr<const ListDateTexts> dates =
        showModified ? SharedListTexts(record.ftLastWriteTime, DateFormat, TimeFormat)
                     : SharedListTexts(*time, DateFormat, rule.dateKind % 4 == 2 ? noTime : TimeFormat);

    std::string lowerName;
    lowerName.reserve(name.size() + 1);
    if (isFolder) lowerName += ' ';
    lowerName += name;
    // The whole 64-bit size: the low half alone would show a 5 GB file as 1 GB.
    std::string size =
        isFolder ? std::string()
                 : FoundSizeText((static_cast<uint64_t>(record.nFileSizeHigh) << 32) | record.nFileSizeLow);
    return FoundRow(LowerText(std::move(lowerName)), std::move(dates), std::move(size), folder);
}

namespace {

// The subfolders of folder for a search whose pattern would hide them: a pass of their own.
void CollectAllSubfolders(const std::string& folder, bool checkNames, std::string& probe,
                          std::vector<Subfolder>& subfolders) {
    WIN32_FIND_DATAA record;
    EntryFind all(folder + "*.*", record);
    if (!all.valid()) return;
    do {
        if (!checkNames) {
            CollectSubfolder(record, record.cFileName, NameLength(record), folder, probe, subfolders);
            continue;
        }
        // A folder whose name leads elsewhere is not entered: its hits would be another's.
        const std::string reached = ReachableName(folder, record);
        if (!reached.empty()) CollectSubfolder(record, reached.c_str(), reached.size(), folder, probe, subfolders);
    } while (all.Next(record));
}

// Adds a hit to the table (row FoundCount); false when the result limit ends the search.
bool AddHit(FoundRow&& row, NameShortener* shortener, HWND list) {
    const size_t index = static_cast<size_t>(FoundCount);
    // Row i is line i's: the table stands at FoundCount rows, whatever it held before.
    if (FoundTable.size() <= index) FoundTable.resize(index + 1);
    FoundTable[index] = std::move(row);
    if (shortener) shortener->Shorten(FoundTable[index]);
    ++FoundCount;
    if (FoundCount < FoundLimit) return true;
    ShowLines(list);
    InvalidateRect(list, nullptr, TRUE);
    ShowMessage(GetAncestor(list, GA_ROOT),
                "Sorry, you can't list more than " + std::to_string(FoundLimit) + ". Rethink your search criteria.",
                AppTitle, MB_ICONEXCLAMATION);
    StopRequested = true;
    return false;
}

}  // namespace

void ListFolderMatches(std::vector<Subfolder>& subfolders, const std::string& folder, const std::string& pattern,
                       const FILETIME& fromTime, const FILETIME& toTime, int16_t dateKind, HWND list) {
    std::string probe;
    probe.reserve(folder.size() + MAX_PATH + 3);
    probe += '/';
    probe += folder;

    const bool everything = pattern == "*.*";
    // Under a code page that may change names, each entry goes by the name that leads back to it.
    const bool checkNames = NameCheckActive();
    // One enumeration of everything serves both the subfolders and the hits when the pattern is
    // one the in-process matcher answers exactly as the platform would. Where names may come over
    // changed, the platform's own matching of the true names is kept.
    const bool matchHere = !everything && !checkNames && PatternClaimed(pattern);
    const bool onePass = everything || matchHere;
    if (!onePass) CollectAllSubfolders(folder, checkNames, probe, subfolders);

    WIN32_FIND_DATAA record;
    EntryFind find(folder + (onePass ? "*.*" : pattern), record);
    if (!find.valid()) return;

    const HitRule rule{RequiredAttributes, Settings.Folders != 0, dateKind, fromTime, toTime,
                       Settings.showModified != 0};
    // No message passes within a folder, so the list's font and scale hold for all its hits.
    std::optional<NameShortener> shortener;
    if (Settings.Truncate) {
        if (FrmMain* form = FormFromWindow(GetAncestor(list, GA_ROOT))) shortener.emplace(form->lstFound);
    }
    const auto sharedFolder = std::make_shared<const std::string>(folder);
    std::string reached;
    do {
        std::string_view name(record.cFileName, NameLength(record));
        bool reachable = true;
        if (checkNames) {
            // No name leads back: the entry is still shown under the one it came with.
            reached = ReachableName(folder, record);
            reachable = !reached.empty();
            if (reachable) name = reached;
        }
        if (onePass && reachable) CollectSubfolder(record, name.data(), name.size(), folder, probe, subfolders);
        if (matchHere && !MatchesPattern(pattern, name, ShortName(record))) continue;
        std::optional<FoundRow> row = HitRow(record, name, rule, sharedFolder);
        if (row && !AddHit(std::move(*row), shortener ? &*shortener : nullptr, list)) break;
    } while (find.Next(record));
}

namespace {

// The shown path of a subfolder the walk found, ending in "\". Its parent is already in the
// shell's form, so only the last part needs the shell's name, by ShellPath's rule for one part:
// the display name when it names this folder, else the name the file system keeps (which the
// enumeration gave). Rebuilding every part of every folder cost several shell calls per folder.
// For a folder the shell cannot customise (nearly all) the stored name is the display name, and
// the shell call (milliseconds each) is saved.
std::string ShownSubfolder(const std::string& shownParent, const Subfolder& subfolder) {
    const std::string& path = subfolder.path;
    const std::string name = path.substr(shownParent.size());
    std::string part = name;
    // The enumeration's attributes: asking the file system again cost a call per folder.
    if (CustomisableFolder(subfolder.attributes)) {
        std::string shown = ShellDisplayName(path);
        if (!shown.empty() && shown != name) {
            // The shell's name may have come over changed by the code page and name another entry.
            if (SameTextNoCase(shown, name) ||
                (GetFileAttributesA((shownParent + shown).c_str()) != INVALID_FILE_ATTRIBUTES &&
                 SameEntryReached(shownParent + shown, path)))
                part = shown;
        }
    }
    return shownParent + part + "\\";
}

// What the user sees of a running walk, and when it hears from them. The status line names every
// folder and its count of hits, and is drawn ten times a second. The list gets new lines only
// when it is drawn: four times a second while they land where the user looks, once a second
// while only its scroll bar would change; in between it keeps the lines last drawn. Drawing it
// per folder made a search on a shown window take twelve times the enumeration's own time, and
// each drawing still redraws its two scroll bars (over 15 ms under Wine).
class WalkDisplay {
public:
    WalkDisplay(HWND list, HWND status) : list_(list), status_(status), quietStatus_(status) {}
    // The walk's last lines reach the list, however the walk ended.
    ~WalkDisplay() { ShowLines(list_); }
    WalkDisplay(const WalkDisplay&) = delete;
    WalkDisplay& operator=(const WalkDisplay&) = delete;

    void Folder(const std::string& shown) {
        // The label keeps its text in the program, so setting it costs no call to the window
        // system; drawing it on every change of text cost as much as enumerating the folder.
        SetWindowTextA(status_, (std::to_string(FoundCount) + " " + shown).c_str());
        const DWORD now = GetTickCount();
        // The list, emptied for this search, is first drawn once a page of hits is there: drawn
        // empty, its scroll bar hid only to show again, and each change redraws the window's
        // frame (tens of milliseconds under Wine). Short of a page it waits for the status line.
        if (listCount_ < 0 && FoundCount > 0 && FoundCount >= RowsInView()) DrawList(now);
        if (statusShown_ && now - statusAt_ < StatusMilliseconds) return;
        const bool firstStatus = !statusShown_;
        statusShown_ = true;
        statusAt_ = now;
        if (listCount_ < 0 ? !firstStatus
                           : FoundCount != listCount_ &&
                                 now - listAt_ >= (NewLinesInView() ? ListMilliseconds : ScrollMilliseconds))
            DrawList(now);
        InvalidateRect(status_, nullptr, TRUE);
        Draw(status_);
    }

    // Whether the next folder lets the waiting messages through. An empty queue still costs a
    // round trip to the window system (about 0.1 ms under Wine, as much as enumerating a small
    // folder), so a pass comes once PassMilliseconds have gone by since the last: Stop, Escape
    // and painting are seen as promptly, and a folder slower than that still passes every time.
    bool PassDue() {
        const DWORD now = GetTickCount();
        if (now - passAt_ < PassMilliseconds) return false;
        passAt_ = now;
        return true;
    }

private:
    static constexpr DWORD StatusMilliseconds = 100, ListMilliseconds = 250, ScrollMilliseconds = 1000,
                           PassMilliseconds = 10;
    // How many rows the list shows, the last perhaps in part.
    LRESULT RowsInView() const {
        const LRESULT rowHeight = SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0);
        RECT client = {};
        GetClientRect(list_, &client);
        return rowHeight > 0 ? client.bottom / rowHeight + 1 : 1;
    }
    // Whether lines added since the last drawing fall within the rows the list shows.
    bool NewLinesInView() const { return listCount_ < SendMessageA(list_, LB_GETTOPINDEX, 0, 0) + RowsInView(); }
    void DrawList(DWORD now) {
        listCount_ = FoundCount;
        listAt_ = now;
        ShowLines(list_);
        InvalidateRect(list_, nullptr, TRUE);
        UpdateWindow(list_);
    }
    static void Draw(HWND window) {
        SendMessageA(window, WM_SETREDRAW, static_cast<WPARAM>(-1), 0);
        UpdateWindow(window);
        SendMessageA(window, WM_SETREDRAW, 0, 0);
    }
    HWND list_, status_;
    RedrawOff quietStatus_;
    bool statusShown_ = false;
    DWORD statusAt_ = 0;
    int listCount_ = -1;   // the lines the list had at its last drawing; -1 before the first
    DWORD listAt_ = 0;
    DWORD passAt_ = GetTickCount();   // the walk starts with a pass of its own
};

void WalkShownFolder(const std::string& shown, const std::string& pattern, const FILETIME& fromTime,
                     const FILETIME& toTime, int16_t dateKind, WalkDisplay& display, HWND list, bool includeSubfolders) {
    display.Folder(shown);

    // Element 0 stays a placeholder, so the subfolders are elements 1 and up.
    std::vector<Subfolder> subfolders(1);
    ListFolderMatches(subfolders, shown, pattern, fromTime, toTime, dateKind, list);
    if (!includeSubfolders) return;
    for (size_t i = 1; i < subfolders.size(); ++i) {
        if (display.PassDue()) LetMessagesThrough(list);
        if (StopRequested) return;
        WalkShownFolder(ShownSubfolder(shown, subfolders[i]), pattern, fromTime, toTime, dateKind, display, list,
                        includeSubfolders);
    }
}

} // namespace

void CatchUpLines(HWND list) {
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) != FoundCount) SendMessageA(list, LB_SETCOUNT, FoundCount, 0);
}

void SearchFolderTree(const std::string& folder, const std::string& pattern, const FILETIME& fromTime,
                      const FILETIME& toTime, int16_t dateKind, HWND list, HWND status, bool includeSubfolders) {
    LetMessagesThrough(list);
    if (StopRequested) return;
    // The locale or time zone may have changed since the last search.
    ClearListTextCache();
    WalkDisplay display(list, status);
    WalkShownFolder(ShellPath(folder, 1), pattern, fromTime, toTime, dateKind, display, list, includeSubfolders);
}
