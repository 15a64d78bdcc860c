#include "search/results_list.h"

#include "app/platform.h"
#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/subclass.h"
#include "app/utf8_text.h"
#include "app/frame.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "fileinfo/file_info.h"
#include "fileinfo/file_times.h"
#include "fileinfo/find_record.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

bool SortStopRequested = false;
int16_t SortColumn = -1;
bool HeaderClickSuppressed = false;
int (*ShellDeleteHook)(HWND owner, const std::string& list, FILEOP_FLAGS flags) = &ShellDelete;

namespace {

constexpr int ResizeGrip = 8;           // design pixels left of a header's right edge that start a drag
constexpr int HourglassAfterRow = 100;  // longer tables show the hourglass while they are worked on

// Nearest integer, halves to even (the default rounding mode).
long RoundHalfEven(double value) { return std::lrint(value); }

int16_t ClampToInt16(long value) {
    return static_cast<int16_t>(std::clamp<long>(value, std::numeric_limits<int16_t>::min(),
                                                 std::numeric_limits<int16_t>::max()));
}

// The hourglass for the length of a long operation.
class WaitPointer {
public:
    explicit WaitPointer(bool show) : shown_(show) {
        if (shown_) SetCursor(LoadCursor(nullptr, IDC_WAIT));
    }
    ~WaitPointer() {
        if (shown_) SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

private:
    bool shown_;
};

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

bool LongTable() { return FoundTable.size() > HourglassAfterRow + 1; }

// A message pass costs a round trip to the window system, many times the partition work of a
// small part of the table. The sort therefore passes on its first partition and then whenever
// PassIntervalMs have gone by: Escape and painting stay prompt, and the sort no longer spends
// most of its time waiting on an empty queue.
constexpr DWORD PassIntervalMs = 10;
// The sort under way: its recursion depth and when it last let messages through.
struct SortProgress {
    int depth = 0;
    DWORD lastPassTick = 0;
};
SortProgress Sorting;

void LetMessagesThroughNowAndThen(bool first) {
    const DWORD now = GetTickCount();
    if (!first && now - Sorting.lastPassTick < PassIntervalMs) return;
    Sorting.lastPassTick = now;
    PassWaitingMessages(nullptr);   // a quit request is posted again for the real loop
}

class DepthScope {
public:
    DepthScope() { ++Sorting.depth; }
    ~DepthScope() { --Sorting.depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

// The list shows the table's rows in table order; emptied first, so no selection stays.
void ReloadList(FrmMain& form) {
    HWND list = form.lstFound;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListBox_ResetContent(list);
    SendMessageA(list, LB_SETCOUNT, FoundTable.size(), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The list's lines as wide text, for whoever asks the list for them. A narrow request reaches
// here unconverted (the platform converts only for lists that keep texts), so the length asked
// for first is given in bytes of the wide text: a buffer made for it holds what is copied.
LRESULT AnswerLineText(HWND list, UINT msg, WPARAM index, LPARAM buffer) {
    const LRESULT count = ListBox_GetCount(list);
    if (static_cast<LRESULT>(index) >= count || index >= FoundTable.size()) return LB_ERR;
    const std::wstring text = WideFromUtf8(FoundLine(FoundTable[index]));
    if (msg == LB_GETTEXTLEN) return static_cast<LRESULT>(text.size() * sizeof(wchar_t) + 1);
    if (!buffer) return LB_ERR;
    std::copy(text.begin(), text.end(), reinterpret_cast<wchar_t*>(buffer));
    reinterpret_cast<wchar_t*>(buffer)[text.size()] = L'\0';
    return static_cast<LRESULT>(text.size());
}

// Typing a character selects the next line whose name starts with it, as a list of texts does.
void JumpToLine(FrmMain& form, HWND list, wchar_t typed) {
    const int count = std::min<int>(ListBox_GetCount(list), static_cast<int>(FoundTable.size()));
    const int line = NextLineStartingWith(FoundTable, count, ListBox_GetCaretIndex(list), typed);
    if (line < 0) return;
    ListBox_SetSel(list, FALSE, -1);
    ListBox_SetSel(list, TRUE, line);
    SendMessageA(list, LB_SETANCHORINDEX, static_cast<WPARAM>(line), 0);
    ListBox_SetCaretIndex(list, line);
    lstFound_Click(form);
}

// A control's rectangle in the main window's client pixels (where `pop` lives).
RECT RectInForm(FrmMain& form, HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, form.hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The stops are in dialog units of the design font, whose average character is 6 pixels wide
// (four units to it); they are drawn at that width scaled, to land under the headers whatever
// font the system gives.
std::array<int, 3> StopPixels(std::array<int, 3> stops, int dpi) {
    for (int& stop : stops) stop = MulDiv(stop, 6 * dpi, 4 * DesignDpi);
    return stops;
}

bool StyleVisible(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// ---- mouse handling of the headers and the list ------------------------------------------

// x, y of a mouse message as pixels from the header's own top-left corner (its border included).
POINT HeaderPoint(HWND header, LPARAM lp) {
    POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    MapWindowPoints(header, GetParent(header), &p, 1);
    RECT r = ControlRect(header);
    p.x -= r.left;
    p.y -= r.top;
    return p;
}

LRESULT HeaderProc(HWND header, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR data) {
    FrmMain& form = *reinterpret_cast<FrmMain*>(data);
    const int index = GetDlgCtrlID(header) - ID_LABCOL;
    switch (msg) {
    case WM_MOUSEMOVE: {
        POINT p = HeaderPoint(header, lp);
        HeaderMouseMove(form, index, p.x, p.y);
        return 0;
    }
    case WM_SETCURSOR:
        if (form.resizePointerShown) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    // The header sorts on the release, after a drag has had its say (the static's own
    // notification would come on the press).
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(header);
        HeaderMouseDown(form, index);
        return 0;
    case WM_LBUTTONUP: {
        const bool dragged = form.DragActive;
        HeaderMouseUp(form, index);
        if (GetCapture() == header) ReleaseCapture();
        POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT client;
        GetClientRect(header, &client);
        // After a drag the click is always delivered, so that it is the one that gets suppressed.
        if (dragged || PtInRect(&client, p)) HeaderClick(form, index);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (form.DragActive && reinterpret_cast<HWND>(lp) != header) HeaderMouseUp(form, index);
        break;
    }
    return CallPreviousProc(header, msg, wp, lp);
}

LRESULT ListProc(HWND list, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR data) {
    FrmMain& form = *reinterpret_cast<FrmMain*>(data);
    switch (msg) {
    case LB_GETTEXT:
    case LB_GETTEXTLEN: return AnswerLineText(list, msg, wp, lp);
    case WM_CHAR:
        if (wp >= L' ') {
            JumpToLine(form, list, static_cast<wchar_t>(wp));
            return 0;
        }
        break;
    case WM_MOUSEMOVE: form.resizePointerShown = false; break;
    case WM_RBUTTONDOWN: lstFound_RightDown(form, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_SHIFT) != 0); return 0;
    case WM_RBUTTONUP:
        PrepareResultsMenu(form);
        PopupAtCursor(form, form.menLstFoundTop);
        return 0;
    }
    return CallPreviousProc(list, msg, wp, lp);
}

std::vector<int> SelectedLines(HWND list, int room) {
    std::vector<int> lines(static_cast<size_t>(std::max(room, 0)));
    LRESULT got = room > 0 ? SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(room), reinterpret_cast<LPARAM>(lines.data())) : 0;
    lines.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, room)));
    return lines;
}

void ShowCounts(FrmMain& form) {
    SetText(form.labFound, std::to_string(ListBox_GetCount(form.lstFound)) + " object(s)");
    SetText(form.labSelected, std::to_string(ListBox_GetSelCount(form.lstFound)) + " selected");
}

} // namespace

// ---- decisions over values ---------------------------------------------------------------

std::array<int, 3> TabStopsFor(const std::array<int32_t, 3>& widths) {
    std::array<int, 3> stops{};
    double previous = 0;
    for (size_t i = 0; i < 3; ++i) {
        stops[i] = static_cast<int>(RoundHalfEven(previous + widths[i] / 1.5));
        previous = stops[i];
    }
    return stops;
}

int NextLineStartingWith(const std::vector<FoundRow>& table, int count, int caret, wchar_t typed) {
    count = std::min<int>(count, static_cast<int>(table.size()));
    if (count <= 0) return -1;
    const auto upper = [](wchar_t c) {
        return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
    };
    const wchar_t wanted = upper(typed);
    const int start = caret < 0 || caret >= count ? 0 : caret + 1;
    for (int step = 0; step < count; ++step) {
        const int line = (start + step) % count;
        const std::string& name = table[static_cast<size_t>(line)][5];
        const std::wstring first = WideFromUtf8(name.substr(0, NextCharacter(name, 0)));
        if (!first.empty() && upper(first[0]) == wanted) return line;
    }
    return -1;
}

int16_t NameMaxCharsFor(int32_t nameWidth) { return ClampToInt16(RoundHalfEven(nameWidth * 0.23 - 6)); }


size_t SortKeyColumn(int header) { return header == 1 ? 4 : static_cast<size_t>(header); }

void SortFoundTable(std::vector<FoundRow>& table, size_t column, int low, int high) {
    if (column >= 6 || table.empty()) return;
    low = std::max(low, 0);
    high = std::min<int>(high, static_cast<int>(table.size()) - 1);
    if (low > high) return;
    const size_t size = table.size();
    bool first = Sorting.depth == 0;
    DepthScope depth;
    for (;;) {
        // Pivot from the middle row, index rounded halves to even; a copy, as the rows move.
        const int middle = static_cast<int>(RoundHalfEven((static_cast<double>(low) + high) / 2));
        const std::string pivot = table[static_cast<size_t>(middle)][column];
        int i = low, j = high;
        while (i <= j) {
            while (table[static_cast<size_t>(i)][column] < pivot && i < high) ++i;
            while (pivot < table[static_cast<size_t>(j)][column] && j > low) --j;
            if (i <= j) {
                std::swap(table[static_cast<size_t>(i)], table[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        }
        LetMessagesThroughNowAndThen(first);
        first = false;
        // A handler run in the pass may have emptied or refilled the table under this sort.
        if (SortStopRequested || table.size() != size) return;
        // The smaller part by recursion and the larger by the loop: the depth stays logarithmic.
        const bool left = low < j, right = i < high;
        if (left && right) {
            if (j - low < high - i) {
                SortFoundTable(table, column, low, j);
                low = i;
            } else {
                SortFoundTable(table, column, i, high);
                high = j;
            }
            if (SortStopRequested || table.size() != size) return;
        } else if (left) {
            high = j;
        } else if (right) {
            low = i;
        } else {
            return;
        }
    }
}

void ReverseFoundTable(std::vector<FoundRow>& table) { std::reverse(table.begin(), table.end()); }

std::string ResultsReport(const std::string& reportText, const std::string& foundText,
                          const std::vector<std::string>& lines) {
    const std::string rule(50, '-');
    std::string text = reportText + "\r\nResult: " + foundText + "\r\n" + rule;
    for (const std::string& line : lines) text += "\r\n" + line;
    text += "\r\n" + rule + "\r\n";
    return text;
}

// ---- the page ----------------------------------------------------------------------------

void ResetSortColumn() { SortColumn = -1; }

void DoListBox(FrmMain& form, const std::array<int32_t, 3>& widths) {
    const int dpi = form.dpi;
    form.FoundTabStops = StopPixels(TabStopsFor(widths), dpi);
    // The font follows the window's scale; an owner-drawn list keeps the height it was made with.
    if (HFONT font = GetWindowFont(form.lstFound)) SendMessageA(form.lstFound, LB_SETITEMHEIGHT, 0, FontLineHeight(font));
    NameMaxChars = NameMaxCharsFor(widths[0]);
    if (Settings.Truncate) {
        RefillResults(form);
    } else {
        InvalidateRect(form.lstFound, nullptr, TRUE);
    }
    for (size_t i = 0; i < 3; ++i) {
        RECT r = ControlRect(form.labCol[i]);
        const int width = Scale(widths[i], dpi);
        MoveControl(form.labCol[i], r.left, r.top, std::max(width, 0), r.bottom - r.top);
        RECT next = ControlRect(form.labCol[i + 1]);
        MoveControl(form.labCol[i + 1], r.left + width, next.top, next.right - next.left, next.bottom - next.top);
    }
    RECT last = ControlRect(form.labCol[3]);
    int lastWidth = ControlWidth(form.lstFound) - last.left;
    if (lastWidth > 0) MoveControl(form.labCol[3], last.left, last.top, lastWidth, last.bottom - last.top);
    SendMessageA(form.lstFound, LB_SETHORIZONTALEXTENT, 1024, 0);
}

void RefillResults(FrmMain& form) {
    if (ListBox_GetCount(form.lstFound) <= 0) return;
    WaitPointer wait(LongTable());
    ShortenAllNames(form);
    ReloadList(form);
}

void HeaderClick(FrmMain& form, int index) {
    if (index < 0 || index > 3 || form.sortRunning) return;
    if (ListBox_GetCount(form.lstFound) <= 0 || FoundTable.empty()) return;
    if (HeaderClickSuppressed) {
        HeaderClickSuppressed = false;
        return;
    }
    WaitPointer wait(LongTable());
    SortStopRequested = false;
    {
        FlagScope running(form.sortRunning);
        if (index != SortColumn) {
            SortFoundTable(FoundTable, SortKeyColumn(index), 0, static_cast<int>(FoundTable.size()) - 1);
        } else {
            ReverseFoundTable(FoundTable);
        }
    }
    SortColumn = static_cast<int16_t>(index);
    ReloadList(form);
}

void HeaderMouseMove(FrmMain& form, int index, int x, int) {
    if (index < 0 || index > 3) return;
    HWND header = form.labCol[static_cast<size_t>(index)];
    if (!form.DragActive) {
        if (index < 3 && x >= ControlWidth(header) - Scale(ResizeGrip, form.dpi)) {
            form.resizePointerShown = true;
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        } else if (form.resizePointerShown) {
            form.resizePointerShown = false;
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        }
        return;
    }
    if (index != form.dragColumn) return;
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    const int least = index == 0 ? TextWidth(header, GetText(header) + "   ")
                                 : Scale(DefaultColumnWidths[static_cast<size_t>(index)], form.dpi);
    x = std::max(x, least);
    RECT r = RectInForm(form, header);
    RECT guide = ControlRect(form.pop);
    MoveControl(form.pop, r.left + x, r.top, Scale(1, form.dpi), guide.bottom - guide.top);
    ShowWindow(form.pop, SW_SHOWNA);
}

void HeaderMouseDown(FrmMain& form, int index) {
    if (!form.resizePointerShown || index < 0 || index > 2) return;
    form.DragActive = true;
    form.dragColumn = index;
    HWND header = form.labCol[static_cast<size_t>(index)];
    RECT r = RectInForm(form, header);
    MoveControl(form.pop, r.left, r.top, Scale(1, form.dpi), ControlHeight(form.lstFound) + ControlHeight(header));
    HeaderClickSuppressed = false;
}

void HeaderMouseUp(FrmMain& form, int index) {
    if (!form.DragActive) return;
    form.DragActive = false;
    HeaderClickSuppressed = true;
    const int column = form.dragColumn;
    form.dragColumn = -1;
    if (column < 0 || column > 2 || !StyleVisible(form.pop)) return;
    ShowWindow(form.pop, SW_HIDE);
    ColumnWidths[static_cast<size_t>(column)] =
        Unscale(ControlLeft(form.pop) - RectInForm(form, form.labCol[static_cast<size_t>(column)]).left, form.dpi);
    DoListBox(form, ColumnWidths);
}

void lstFound_Click(FrmMain& form) {
    try {
        const int line = ListBox_GetCaretIndex(form.lstFound);
        if (line < 0 || static_cast<size_t>(line) >= FoundTable.size()) return;
        const FoundRow& row = FoundTable[static_cast<size_t>(line)];
        const std::string name = !row[0].empty() && row[0][0] == ' ' ? row[0].substr(1) : row[0];
        const std::string folder = row[3];
        if (!FileExists(folder + name, false)) {
            // The hit has gone since the search: it stays listed but cannot be shown.
            ListBox_SetSel(form.lstFound, FALSE, line);
            return;
        }
        SetText(form.labSelected, std::to_string(ListBox_GetSelCount(form.lstFound)) + " selected");
        if (folder + name != form.current.CurrentPath) GetAllFileInfo(form, folder, name);
    } catch (const std::exception& failure) {
        ShowMessage(form.hwnd, ExceptionText(failure, true), "lstfound_click_error", MB_ICONERROR);
    }
}

void lstFound_DblClick(FrmMain& form) {
    const int line = ListBox_GetCaretIndex(form.lstFound);
    if (line < 0 || line >= ListBox_GetCount(form.lstFound)) return;
    CopyTextToClipboard(form.hwnd, GetListText(form.lstFound, line));
}

void lstFound_RightDown(FrmMain& form, int x, int y, bool shift) {
    if (shift || ListBox_GetSelCount(form.lstFound) > 1) return;
    const LPARAM where = MAKELPARAM(x, y);
    SendMessageA(form.lstFound, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(form.lstFound, WM_LBUTTONUP, 0, where);
}

void PrepareResultsMenu(FrmMain& form) {
    // A running walk keeps adding rows by its count; a delete would shift them under it.
    const bool canDelete = ListBox_GetSelCount(form.lstFound) > 0 && !form.FindRunning;
    EnableMenuItem(form.menLstFoundTop, ID_MENLSTFOUNDDEL, MF_BYCOMMAND | (canDelete ? MF_ENABLED : MF_GRAYED));
    const bool anyFound = !GetText(form.labFound).empty();
    EnableMenuItem(form.menLstFoundTop, ID_MENLSTFOUNDCOPY, MF_BYCOMMAND | (anyFound ? MF_ENABLED : MF_GRAYED));
}

void CopySearchResults(FrmMain& form) {
    std::vector<std::string> lines;
    const int count = ListBox_GetCount(form.lstFound);
    lines.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) lines.push_back(GetListText(form.lstFound, i));
    CopyTextToClipboard(form.hwnd, ResultsReport(ReportText, GetText(form.labFound), lines));
}

int ShellDelete(HWND owner, const std::string& list, FILEOP_FLAGS flags) {
    // Each path ends in a NUL already; one more ends the list (c_str adds the last).
    const std::string from = list + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = flags;
    return SHFileOperationA(&operation);
}

namespace {

// The selected rows that may go to the shell, in list order, and their double-NUL list; a
// folder row or a mistaken name is refused with its message and left out.
std::vector<int> DeletableLines(FrmMain& form, std::string& deleteList) {
    std::vector<int> files;
    for (int line : SelectedLines(form.lstFound, MaxDeleteCount)) {
        if (line < 0 || static_cast<size_t>(line) >= FoundTable.size()) continue;
        const FoundRow& row = FoundTable[static_cast<size_t>(line)];
        if (!row[0].empty() && row[0][0] == ' ') {
            ShowMessage(form.hwnd, "Folders cannot be deleted", AppTitle, MB_ICONERROR);
            continue;
        }
        if (RefuseMistakenName(form.hwnd, row[3] + row[0])) continue;
        deleteList += row[3] + row[0] + '\0';
        files.push_back(line);
    }
    return files;
}

// What the shell really removed (the user may have said no) leaves the list and the table.
void DropDeletedRows(FrmMain& form, const std::vector<int>& files) {
    HWND list = form.lstFound;
    std::vector<bool> removed(FoundTable.size(), false);
    int removedCount = 0;
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        const FoundRow& row = FoundTable[static_cast<size_t>(*it)];
        if (FileExists(row[3] + row[0], false)) continue;
        ListBox_DeleteString(list, *it);
        removed[static_cast<size_t>(*it)] = true;
        ++removedCount;
    }
    if (removedCount == 0) return;
    if (ListBox_GetCount(list) > 0) {
        // Rows go by position, so no partly finished sort can cost a row that is still there;
        // the list then ends sorted by name, ascending.
        std::vector<FoundRow> kept;
        kept.reserve(FoundTable.size() - static_cast<size_t>(removedCount));
        for (size_t i = 0; i < FoundTable.size(); ++i) {
            if (!removed[i]) kept.push_back(std::move(FoundTable[i]));
        }
        FoundTable = std::move(kept);
        HeaderClickSuppressed = false;
        SortColumn = -1;
        HeaderClick(form, 0);
        SortColumn = 0;
    } else {
        FoundTable.clear();
    }
    // The next rows (and the limit) count from what is left, so line i stays row i.
    FoundCount = static_cast<int16_t>(FoundTable.size());
}

} // namespace

void DeleteSelectedResults(FrmMain& form) {
    // A sort in progress holds row indexes of this table, and a running walk adds rows by its
    // count: neither may see the table shrink under it.
    if (form.sortRunning || form.FindRunning) return;
    const int selected = ListBox_GetSelCount(form.lstFound);
    if (selected <= 0) {
        ShowMessage(form.hwnd, "No object selected", AppTitle, MB_ICONEXCLAMATION);
        return;
    }
    if (selected > MaxDeleteCount) {
        ShowMessage(form.hwnd, "The maximum number for multiple file delete is " + std::to_string(MaxDeleteCount), AppTitle,
                    MB_ICONEXCLAMATION);
        return;
    }
    std::string deleteList;
    const std::vector<int> files = DeletableLines(form, deleteList);
    if (files.empty()) return;
    ShellDeleteHook(form.hwnd, deleteList, DeleteFlags);
    DropDeletedRows(form, files);

    std::string& current = form.current.CurrentPath;
    if (!current.empty() && current[0] != '*' && !FileExists(current, false)) {
        current = "*" + current;
        SetCaption(form, current);
    }
    ShowCounts(form);
}

void ResultsPage_Init(FrmMain& form) {
    for (HWND header : form.labCol) {
        if (header) SubclassControl(header, HeaderProc, reinterpret_cast<DWORD_PTR>(&form));
    }
    if (form.lstFound) SubclassControlWide(form.lstFound, ListProc, reinterpret_cast<DWORD_PTR>(&form));
}

bool ResultsPage_OnMeasureItem(FrmMain& form, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX || item.CtlID != ID_LSTFOUND) return false;
    // Asked while the list is being made, before it has a font: the window's is the one it gets.
    item.itemHeight = static_cast<UINT>(FontLineHeight(form.font ? form.font : GetStockFont(DEFAULT_GUI_FONT)));
    return true;
}

bool ResultsPage_OnDrawItem(FrmMain& form, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX || item.CtlID != ID_LSTFOUND) return false;
    HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(selected                               ? COLOR_HIGHLIGHTTEXT
                                     : (item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT
                                                                            : COLOR_WINDOWTEXT));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
        if (item.itemID < FoundTable.size()) {
            // The box is where the line lies: the platform has applied the horizontal scroll.
            const int origin = box.left;
            const std::wstring text = WideFromUtf8(FoundLine(FoundTable[item.itemID]));
            HGDIOBJ old = SelectObject(dc, GetWindowFont(item.hwndItem));
            TabbedTextOutW(dc, origin + 1, box.top, text.c_str(), static_cast<int>(text.size()),
                           static_cast<int>(form.FoundTabStops.size()), form.FoundTabStops.data(), origin);
            SelectObject(dc, old);
        }
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
    return true;
}

bool ResultsPage_OnCommand(FrmMain& form, int id, int code, HWND) {
    // The headers' clicks are taken by their own procedure (HeaderProc) before any notification.
    if (id >= ID_LABCOL && id < ID_LABCOL + 4) return true;
    switch (id) {
    case ID_LSTFOUND:
        if (code == LBN_SELCHANGE) lstFound_Click(form);
        if (code == LBN_DBLCLK) lstFound_DblClick(form);
        return true;
    case ID_MENLSTFOUNDCOPY: CopySearchResults(form); return true;
    case ID_MENLSTFOUNDDEL: DeleteSelectedResults(form); return true;
    default: return false;
    }
}
