#include "search/search_criteria.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/platform.h"
#include "app/tab_strips.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "fileinfo/attributes.h"
#include "fileinfo/file_times.h"
#include "fileinfo/text_formats.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "shell/browse_page.h"

#include <windowsx.h>

#include <exception>
#include <new>

int16_t DateKindSelected = 0;
int16_t DateKind = 0;
std::string AttributeText;
std::string DateText;

namespace {

constexpr char kUnknown[] = "(unknown)";
constexpr int64_t kSecondsPerDay = 24 * 3600;

// A search lets window messages through while it runs; a second Find command must wait for it.
// The invalid-name message is up: the focus it takes is no reason for another check.
bool NameMessageUp = false;

std::string TrimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Characters that can never be part of a file name; some of them are wildcards to the
// platform's matching, so the listing probe alone would let them through.
bool HasForbiddenCharacter(const std::string& text) {
    for (char c : text) {
        if (c == '"' || c == '<' || c == '>' || c == '|' || static_cast<unsigned char>(c) < 32) return true;
    }
    return false;
}

// The listing probe: only whether the platform rejects the text matters, not whether it names
// anything.
bool ListingAccepts(const std::string& text) {
    if (HasForbiddenCharacter(text)) return false;
    if (text.empty()) return true;
    WIN32_FIND_DATAA record;
    if (ScopedFind(text, record).valid()) return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

bool IsFolder(const std::string& path) {
    std::string name = path;
    if (name.size() > 1 && name.back() == '\\') name.pop_back();
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void SetDateBoxes(FrmMain& form, const std::string& from, const std::string& to) {
    SetText(form.txtDate[0], from);
    SetText(form.txtDate[1], to);
}

void UncheckNoMatter(FrmMain& form) {
    SetCheckValue(form.Check2, 0);
    Check2_Changed(form);
}

void AttributeBoxClicked(FrmMain& form) {
    std::array<int, 5> values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = GetCheckValue(form.chkAttrFind[i]);
    AttributeSelection(values, RequiredAttributes, AttributeText);
}

void OptionChosen(FrmMain& form, int index) {
    UncheckNoMatter(form);
    DateKindSelected = static_cast<int16_t>(index);
    DateKind = static_cast<int16_t>(index);
}

void PeriodChosen(FrmMain& form, int index) {
    if (index == 8) {
        SetDateBoxes(form, kUnknown, kUnknown);
    } else {
        SYSTEMTIME now, from, to;
        GetLocalTime(&now);
        PeriodRange(index, now, from, to);
        SetDateBoxes(form, DateTimeText(from, DateFormat, " ", TimeFormat), DateTimeText(to, DateFormat, " ", TimeFormat));
    }
    UncheckNoMatter(form);
    SetFocus(form.cmdFind);
}

// A range of 0.005 day (7.2 minutes) each side of the shown file's creation time.
void menOptAround_Click(FrmMain& form) {
    SYSTEMTIME created;
    if (!ReadDateText(form.current.texts.CreatedLikeText, created)) return;
    const int64_t margin = kSecondsPerDay * 5 / 1000;
    SetDateBoxes(form, DateTimeText(AddSeconds(created, -margin), "Short Date", " ", "Long Time"),
                 DateTimeText(AddSeconds(created, margin), "Short Date", " ", "Long Time"));
    for (size_t i = 0; i < form.Option1.size(); ++i) Button_SetCheck(form.Option1[i], i == 0 ? BST_CHECKED : BST_UNCHECKED);
    OptionChosen(form, 0);
}

// "accessed" compares whole days, so its to bound is the last moment of the day the box names:
// the time of day dropped, the bound would be just after midnight and miss the day itself.
void EndOfDayBound(const std::string& toText, FILETIME& toTime) {
    SYSTEMTIME date = {};
    if (!ReadDateText(toText, date)) return;
    SYSTEMTIME local = {};
    local.wYear = date.wYear;
    local.wMonth = date.wMonth;
    local.wDay = date.wDay;
    local.wHour = 23;
    local.wMinute = 59;
    local.wSecond = 59;
    local.wMilliseconds = 999;
    SYSTEMTIME utc = {};
    FILETIME bound = {};
    if (TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &bound)) toTime = bound;
}

// The focus loss itself also comes when a message box of the program takes the focus, when
// another program is activated and while the window is destroyed; the check belongs only to a
// move to another control of this window, so it waits and looks where the focus went. Posted to
// the window, it is dropped with it on shut-down.
void Combo1_LostFocus(FrmMain& form) { PostMessageA(form.hwnd, WM_NAMEDLEFT, 0, 0); }

// Shows text in a combo box, adding it as an item (with code 0) when no item has it yet.
void ShowInCombo(HWND combo, const std::string& text, bool selectFound) {
    int found = ComboBox_FindStringExact(combo, -1, text.c_str());
    if (found == CB_ERR) {
        int added = ComboBox_AddString(combo, text.c_str());
        if (added >= 0) {
            ComboBox_SetItemData(combo, added, 0);
            ComboBox_SetCurSel(combo, added);
        }
    } else if (selectFound) {
        ComboBox_SetCurSel(combo, found);
    }
    SetText(combo, text);
}

int SelectedLookInCode(FrmMain& form, const std::string& text) {
    int selected = ComboBox_GetCurSel(form.Combo2);
    // An item counts only while the box still shows it; typing over it makes the text a typed one.
    if (selected < 0 || GetListText(form.Combo2, selected, true) != text) return -1;
    return static_cast<int>(ComboBox_GetItemData(form.Combo2, selected));
}

void ShowMissingFolder(FrmMain& form, const std::string& text) {
    ShowMessage(form.hwnd, "The folder '" + text + "' does not exist.\r\nCheck the folder name and try again.",
                AppTitle, MB_ICONERROR);
}

void ShowFindDefault(FrmMain& form) {
    if (form.CurrentUpperTab != 2) return;
    SetDefaultFind(form, true);
}

// The folders the search starts from, checked; empty when the Look in text names none (the user
// has been told, or the box is empty and has the focus).
std::vector<std::string> CheckedStartFolders(FrmMain& form, const std::string& lookIn) {
    if (lookIn.empty()) {
        SetFocus(form.Combo2);
        return {};
    }
    const int code = LookInCode(SelectedLookInCode(form, lookIn), lookIn);
    std::vector<std::string> starts;
    if (code == 0) {
        if (FileExists(lookIn, false) && IsFolder(lookIn)) {
            ShowInCombo(form.Combo2, lookIn, false);
            starts.push_back(lookIn);
        }
    } else {
        starts = StartFolders(code, lookIn, form.DriveRoots);
    }
    if (starts.empty()) ShowMissingFolder(form, lookIn);
    return starts;
}

// The date boxes read into the bounds of the search; false (the user told, the box focused) when
// either does not read as a date.
bool CheckedDateBounds(FrmMain& form, FILETIME& fromTime, FILETIME& toTime) {
    const DateRangeCheck range = CheckDateRange(GetText(form.txtDate[0]), GetText(form.txtDate[1]));
    if (range == DateRangeCheck::Unknown) SetDateBoxes(form, kUnknown, kUnknown);
    if (range == DateRangeCheck::InvalidFrom || range == DateRangeCheck::InvalidTo) {
        ShowMessage(form.hwnd, "You must specify a valid date range.", AppTitle, MB_ICONERROR);
        SetFocus(form.txtDate[range == DateRangeCheck::InvalidFrom ? 0 : 1]);
        return false;
    }
    SetText(form.txtDate[0], DateTextToFileTime(GetText(form.txtDate[0]), fromTime, DateKindSelected, 0));
    const std::string toText = GetText(form.txtDate[1]);
    SetText(form.txtDate[1], DateTextToFileTime(toText, toTime, DateKindSelected, 999));
    if (DateKindSelected == 2) EndOfDayBound(toText, toTime);
    return true;
}

// The page set for a running search: what could start another greyed, the results emptied, the
// date column and the report's date line named for this search, the results in front.
void PrepareResultsForSearch(FrmMain& form) {
    EnableWindow(form.chkIncludeSubs, FALSE);
    EnableWindow(form.Combo2, FALSE);
    EnableWindow(form.cmdFind, FALSE);
    EnableWindow(form.cmdStop, TRUE);
    StopRequested = false;
    ResetSortColumn();
    FoundCount = 0;
    FoundTable.clear();
    // Emptied without drawing: the walk draws the list with its first page of hits, and emptying
    // a drawn list with lines redrew its scroll bars as well (over 20 ms under Wine). A list that
    // is empty already stays drawn: turning its drawing back on set its scroll bars again.
    if (ListBox_GetCount(form.lstFound) != 0) {
        SendMessageA(form.lstFound, WM_SETREDRAW, FALSE, 0);
        ListBox_ResetContent(form.lstFound);
    }
    SetText(form.labSelected, "");

    const int headerKind = Settings.showModified ? 1 : DateKindSelected;
    SetText(form.labCol[1], std::string(" ") + DateKindTags[static_cast<size_t>(headerKind)]);
    if (GetCheckValue(form.Check2) != 0) {
        DateText = "No matter";
    } else {
        DateText = std::string(DateKindTags[static_cast<size_t>(DateKindSelected)]) + " between " +
                   GetText(form.txtDate[0]) + " and " + GetText(form.txtDate[1]);
    }

    TabSwitchRight(form, 1);
    ShowFindDefault(form);
    ShowWindow(form.labSearching, SW_SHOW);
}

// Steps up to and including the walk. False when a check stopped the command (the page was not
// touched); true when the search ran and the page must be restored.
bool CheckAndSearch(FrmMain& form) {
    if (!ValidateNamePattern(form, GetText(form.Combo1))) {
        SetFocus(form.Combo1);
        return false;
    }
    const std::string lookIn = GetText(form.Combo2);
    const std::vector<std::string> starts = CheckedStartFolders(form, lookIn);
    if (starts.empty()) return false;
    FILETIME fromTime, toTime;
    if (!CheckedDateBounds(form, fromTime, toTime)) return false;

    const std::string pattern = SearchPattern(GetText(form.Combo1));
    ShowInCombo(form.Combo1, pattern, false);
    SetCaption(form, lookIn);
    PrepareResultsForSearch(form);

    const bool includeSubfolders = GetCheckValue(form.chkIncludeSubs) != 0;
    for (const std::string& start : starts) {
        SearchFolderTree(start, pattern, fromTime, toTime, DateKind, form.lstFound, form.labSearching,
                         includeSubfolders);
    }
    return true;
}

void RestorePage(FrmMain& form) {
    // A search that ended before its walk began left the list's drawing off.
    SendMessageA(form.lstFound, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(form.lstFound, nullptr, TRUE);
    UpdateWindow(form.lstFound);
    ShowWindow(form.labSearching, SW_HIDE);
    EnableWindow(form.cmdStop, FALSE);
    EnableWindow(form.cmdFind, TRUE);
    EnableWindow(form.chkIncludeSubs, TRUE);
    EnableWindow(form.Combo2, TRUE);

    const int count = ListBox_GetCount(form.lstFound);
    SetText(form.labFound, std::to_string(count < 0 ? 0 : count) + " object(s)");
    if (count > 0) SetFocus(form.lstFound);

    SYSTEMTIME now;
    GetLocalTime(&now);
    ReportText = BuildReportText(DateTimeText(now, "Long Date", " ", "Long Time"), DateText, AttributeText,
                                 GetText(form.Combo1), GetText(form.Combo2), GetCheckValue(form.chkIncludeSubs) != 0);
    if (Settings.Beep) SoundBeep();
}

} // namespace

// ---- decisions over values ----

void AttributeSelection(const std::array<int, 5>& values, uint32_t& mask, std::string& text) {
    mask = 0;
    text.clear();
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] == 0) continue;
        mask |= static_cast<uint32_t>(AttrMasks[i]);
        text += AttrTags[i];
        text += ". ";
    }
}

std::string SearchPattern(const std::string& nameText) {
    std::string pattern = TrimSpaces(nameText);
    size_t separator = pattern.find(';');
    if (separator != std::string::npos) pattern = TrimSpaces(pattern.substr(0, separator));
    if (pattern.empty()) return "*.*";
    // The "." rule applies to the pattern that is searched, so "a.txt;b." stays "a.txt".
    if (pattern.back() == '.') pattern += '*';
    return pattern;
}

int LookInCode(int selectedCode, const std::string& text) {
    if (selectedCode >= 0) return selectedCode;
    return text.size() < 4 ? 3 : 0;
}

std::vector<std::string> StartFolders(int code, const std::string& text, const std::string& driveRoots) {
    std::vector<std::string> folders;
    switch (code) {
    case 0:
        folders.push_back(text);
        break;
    case 1: {
        size_t start = 0;
        for (;;) {
            size_t nul = driveRoots.find('\0', start);
            if (nul == std::string::npos || nul == start) break;
            folders.push_back(driveRoots.substr(start, nul - start));
            start = nul + 1;
        }
        break;
    }
    case 2: {
        size_t close = text.rfind(":)");
        if (close == std::string::npos || close == 0) break;
        size_t open = text.rfind('(', close - 1);
        if (open == std::string::npos) break;
        folders.push_back(text.substr(open + 1, close + 1 - (open + 1)) + "\\");
        break;
    }
    case 3:
        folders.push_back(!text.empty() && text.back() == '\\' ? text : text + "\\");
        break;
    default: break;
    }
    return folders;
}

DateRangeCheck CheckDateRange(const std::string& fromText, const std::string& toText) {
    const std::string* texts[] = {&fromText, &toText};
    for (int i = 0; i < 2; ++i) {
        SYSTEMTIME value;
        if (!ReadDateText(*texts[i], value)) {
            if (texts[i]->find('u') != std::string::npos) return DateRangeCheck::Unknown;
            return i == 0 ? DateRangeCheck::InvalidFrom : DateRangeCheck::InvalidTo;
        }
        if (value.wYear < 1900) return i == 0 ? DateRangeCheck::InvalidFrom : DateRangeCheck::InvalidTo;
    }
    return DateRangeCheck::Valid;
}

SYSTEMTIME AddSeconds(const SYSTEMTIME& value, int64_t seconds) {
    FILETIME time;
    SYSTEMTIME clean = value;
    clean.wMilliseconds = 0;
    if (!SystemTimeToFileTime(&clean, &time)) return value;
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    const int64_t delta = seconds * 10000000LL;
    if (delta < 0 && ticks.QuadPart < static_cast<uint64_t>(-delta)) return value;
    ticks.QuadPart += static_cast<uint64_t>(delta);
    time.dwLowDateTime = ticks.LowPart;
    time.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME result;
    if (!FileTimeToSystemTime(&time, &result)) return value;
    return result;
}

void PeriodRange(int index, const SYSTEMTIME& now, SYSTEMTIME& from, SYSTEMTIME& to) {
    static constexpr int64_t back[] = {5 * 60, 15 * 60, 3600, kSecondsPerDay, 7 * kSecondsPerDay,
                                       28 * kSecondsPerDay, 365 * kSecondsPerDay};
    to = now;
    if (index >= 0 && index <= 6) {
        from = AddSeconds(now, -back[index]);
        return;
    }
    // "More than a year ago": from the start of 1950 to a year back.
    from = {};
    from.wYear = 1950;
    from.wMonth = 1;
    from.wDay = 1;
    from.wDayOfWeek = 0;   // a Sunday
    to = AddSeconds(now, -365 * kSecondsPerDay);
}

std::string BuildReportText(const std::string& nowText, const std::string& dateText, const std::string& attributeText,
                            const std::string& nameText, const std::string& lookInText, bool includeSubfolders) {
    std::string text = "Search Results from: " + nowText;
    text += "\r\nCriteria:";
    text += "\r\n  Date: \t" + dateText;
    text += "\r\n  Attr: \t" + attributeText;
    text += "\r\n  Name:  \t" + nameText;
    text += "\r\n  Location:  \t" + lookInText;
    if (includeSubfolders) text += " (Subfolders incl.)";
    return text;
}

// ---- handlers ----

bool ValidateNamePattern(FrmMain& form, const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    if (!ListingAccepts(trimmed)) {
        NameMessageUp = true;
        ShowMessage(form.hwnd, "This filename is invalid. Type a valid filename.", AppTitle, MB_ICONERROR);
        NameMessageUp = false;
        return false;
    }
    SetFile1Pattern(form, trimmed);
    return true;
}

void Check2_Changed(FrmMain& form) {
    auto value = static_cast<int16_t>(GetCheckValue(form.Check2));
    bool noMatter = value != 0;
    // Disabled edit boxes take the form's colour, enabled ones the window colour of Combo1.
    for (HWND box : form.txtDate) {
        EnableWindow(box, !noMatter);
        InvalidateRect(box, nullptr, TRUE);
    }
    DateKind = static_cast<int16_t>(DateKindSelected + (noMatter ? 4 : 0));
    Settings.noMatter = value;
}


void cmdFind_Click(FrmMain& form) {
    if (form.FindRunning) return;
    form.FindRunning = true;
    try {
        if (!CheckAndSearch(form)) {
            form.FindRunning = false;
            return;
        }
    } catch (const std::exception& failure) {
        ShowMessage(form.hwnd, ExceptionText(failure, false), "cmdFind_error", MB_ICONERROR);
    }
    try {
        RestorePage(form);
    } catch (const std::exception& failure) {
        ShowMessage(form.hwnd, ExceptionText(failure, false), "cmdFind_error", MB_ICONERROR);
    }
    form.FindRunning = false;
}

void Combo1_Left(FrmMain& form) {
    if (NameMessageUp || !form.hwnd || !IsWindowEnabled(form.hwnd)) return;
    HWND focus = GetFocus();
    if (!focus || !IsChild(form.hwnd, focus) || focus == form.Combo1 || IsChild(form.Combo1, focus)) return;
    if (!ValidateNamePattern(form, GetText(form.Combo1))) SetFocus(form.Combo1);
}

void FindPage_Init(FrmMain& form) {
    // The options report receiving the focus: choosing one by the keyboard counts as choosing it.
    for (HWND option : form.Option1) {
        if (!option) continue;
        LONG_PTR style = GetWindowLongPtrA(option, GWL_STYLE);
        SetWindowLongPtrA(option, GWL_STYLE, style | BS_NOTIFY);
    }
}

bool FindPage_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id >= ID_OPTION1 && id < ID_OPTION1 + 3) {
        if (code == BN_CLICKED || code == BN_SETFOCUS) OptionChosen(form, id - ID_OPTION1);
        return true;
    }
    if (id >= ID_CHKATTRFIND && id < ID_CHKATTRFIND + 5) {
        if (code == BN_CLICKED) AttributeBoxClicked(form);
        return true;
    }
    if (id >= ID_MENOPTDATE && id < ID_MENOPTDATE + 9) {
        PeriodChosen(form, id - ID_MENOPTDATE);
        return true;
    }
    switch (id) {
    case ID_CHECK2:
        if (code == BN_CLICKED) Check2_Changed(form);
        return true;
    case ID_COMBO1:
        if (code == CBN_SELCHANGE) {
            int selected = ComboBox_GetCurSel(form.Combo1);
            if (selected >= 0) SetFile1Pattern(form, GetListText(form.Combo1, selected, true));
        } else if (code == CBN_KILLFOCUS) {
            Combo1_LostFocus(form);
        }
        return true;
    case ID_MENOPTAROUND: menOptAround_Click(form); return true;
    case ID_CMDSTOP:
        if (code == BN_CLICKED) StopRequested = true;
        return true;
    case ID_CMDFIND:
        if (code == BN_CLICKED) cmdFind_Click(form);
        return true;
    default: return false;
    }
}
