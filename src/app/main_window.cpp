#include "app/main_window.h"

#include "app/about.h"
#include "app/controls.h"
#include "app/dpi.h"
#include "app/picture_box.h"
#include "app/status_label.h"
#include "app/platform.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "app/tab_strips.h"
#include "app/tips_and_splitter.h"
#include "fileinfo/file_icons.h"
#include "fileinfo/file_info.h"
#include "fileinfo/general_page.h"
#include "resource_ids.h"
#include "search/exclude_list.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "search/search_criteria.h"
#include "shell/browse_page.h"
#include "shell/file_viewer.h"
#include "shell/shell_extension.h"
#include "version/version_page.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

constexpr char kPageClass[] = "PlovnikPage";
constexpr COLORREF kIconBackground = RGB(192, 192, 192);

// Design geometry in design pixels (the design's twips divided by 15), scaled as controls are made.
constexpr int kTabTop = 10, kTabHeight = 21;
constexpr int kUpperTabLeft = 34, kRightTabLeft = 340;
constexpr RECT kLeftPanel = {8, 28, 8 + 305, 28 + 293};
constexpr RECT kLeftPage = {10, 29, 10 + 300, 29 + 285};
constexpr RECT kRightPanel = {320, 28, 320 + 321, 28 + 293};
constexpr RECT kRightPage = {322, 29, 322 + 313, 29 + 285};

struct PageState {
    std::vector<std::pair<int, int>> lines;   // etched separators in pixels: y, margin
};

// ---- creating controls -------------------------------------------------------------------

// Takes every place and size in design pixels and makes the control at the window's scale.
struct Builder {
    FrmMain& form;
    HINSTANCE instance;
    bool shown = true;   // false for controls the window shows only now and then

    int S(int designPixels) const { return Scale(designPixels, form.dpi); }
    HWND Make(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
              DWORD exStyle = 0) const {
        return MakeInPixels(parent, cls, text, style, {S(x), S(y), S(x) + S(w), S(y) + S(h)}, id, exStyle);
    }
    HWND MakeInPixels(HWND parent, const char* cls, const char* text, DWORD style, RECT at, int id,
                      DWORD exStyle = 0) const {
        HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | (shown ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS | style,
                                    at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
        return hwnd;
    }
    HWND Label(HWND parent, const char* text, int x, int y, int w, int h, int id, DWORD style = 0) const {
        return Make(parent, "STATIC", text, SS_LEFT | SS_NOTIFY | style, x, y, w, h, id);
    }
    HWND Value(HWND parent, int x, int y, int w, int id) const {
        return Make(parent, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_ENDELLIPSIS, x, y, w, 16, id);
    }
    HWND Button(HWND parent, const char* text, int x, int y, int w, int h, int id, DWORD style = BS_PUSHBUTTON) const {
        return Make(parent, "BUTTON", text, WS_TABSTOP | style, x, y, w, h, id);
    }
    HWND Check(HWND parent, const char* text, int x, int y, int w, int id, bool threeState = false) const {
        return Make(parent, "BUTTON", text, WS_TABSTOP | (threeState ? BS_3STATE : BS_AUTOCHECKBOX), x, y, w, 18, id);
    }
    HWND Page(int x, int y, int w, int h, int id) const {
        auto* state = new PageState;
        HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                    S(x), S(y), S(w), S(h), form.hwnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, state);
        SendMessageA(page, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
        return page;
    }
    HWND Picture(HWND parent, int x, int y, int w, int h, int id, COLORREF bg, bool border = false) const {
        HWND pic = CreatePictureBox(parent, id, S(x), S(y), S(w), S(h), bg, border, shown);
        SendMessageA(pic, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
        return pic;
    }
};

// A small picture of a stock icon for the clickable images of the pages, drawn at the scaled
// size (the shared handle is the system's, never destroyed).
void DrawStockIcon(HWND picture, LPCSTR stock, int dpi) {
    if (!picture) return;
    PictureClear(picture);
    const int size = Scale(16, dpi);
    if (auto icon = static_cast<HICON>(LoadImageA(nullptr, stock, IMAGE_ICON, size, size, LR_SHARED)))
        PictureDrawIcon(picture, icon, size);
}

// The period picture: a small calendar page.
void DrawCalendar(HWND picture, int dpi) {
    PictureClear(picture);
    HDC dc = PictureDC(picture);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(192, 0, 0));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT page = ScaleRect({1, 2, 15, 15}, dpi), top = ScaleRect({1, 2, 15, 5}, dpi);
    FillRect(dc, &page, white);
    FillRect(dc, &top, red);
    FrameRect(dc, &page, black);
    for (int y = 7; y <= 12; y += 3) {
        for (int x = 3; x <= 11; x += 3) {
            RECT dot = ScaleRect({x, y, x + 1, y + 1}, dpi);
            FillRect(dc, &dot, black);
        }
    }
    DeleteObject(white);
    DeleteObject(red);
    PictureRefresh(picture);
}

// The version and pending-edit indicators, once they are made.
void DrawIndicators(FrmMain& f) {
    DrawStockIcon(f.Image4, IDI_INFORMATION, f.dpi);
    DrawStockIcon(f.Image2, IDI_WARNING, f.dpi);
}

// The pictures the window draws itself, at the window's scale.
void DrawOwnPictures(FrmMain& f) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(f.hwnd, GWLP_HINSTANCE));
    PictureClear(f.Image3);
    if (HICON icon = ProgramIcon(instance, Scale(16, f.dpi))) {
        PictureDrawIcon(f.Image3, icon, Scale(16, f.dpi));
        DestroyIcon(icon);
    }
    DrawIndicators(f);
}

// Where one tab strip lies, in design pixels: its row of buttons, the panel behind its pages (a
// disabled button, for the raised frame) and the pages themselves.
struct TabStripLayout {
    int buttonsLeft, firstButtonId;
    RECT panel;
    int panelId;
    RECT page;
    int firstPageId;
};

constexpr TabStripLayout kUpperStrip = {kUpperTabLeft, ID_CMDTAB1, kLeftPanel, ID_CMDTAB, kLeftPage, ID_PICTAB};
constexpr TabStripLayout kRightStrip = {kRightTabLeft, ID_CMDTAB2, kRightPanel, ID_CMDTAB2BACK, kRightPage,
                                        ID_PICTAB2};

HWND CreateStripPage(const Builder& b, const TabStripLayout& at, size_t index) {
    return b.Page(at.page.left, at.page.top, at.page.right - at.page.left, at.page.bottom - at.page.top,
                  at.firstPageId + static_cast<int>(index));
}

// The order of making (buttons, panel, first page) is the window's tab and stacking order. The
// other pages are made with the pages the first window does not show: a page is brought to the
// front whenever its tab is chosen, so where it starts in the stacking order does not matter.
void CreateTabStrip(const Builder& b, const TabStripLayout& at, std::span<const char* const> captions,
                    std::span<HWND> buttons, HWND& panel, std::span<HWND> pages) {
    HWND frame = b.form.hwnd;
    // Each tab made as wide as its caption, the strip lined up left to right, as a change of
    // scale lays it out again: moving a control costs about what making it does.
    RECT tab = {b.S(at.buttonsLeft), b.S(kTabTop), 0, b.S(kTabTop) + b.S(kTabHeight)};
    for (size_t i = 0; i < buttons.size(); ++i) {
        tab.right = tab.left + TabWidth(b.form, captions[i]);
        buttons[i] = b.MakeInPixels(frame, "BUTTON", captions[i], WS_TABSTOP | BS_PUSHBUTTON, tab,
                                    at.firstButtonId + static_cast<int>(i));
        tab.left = tab.right;
    }
    panel = b.Make(frame, "BUTTON", "", BS_PUSHBUTTON | WS_DISABLED, at.panel.left, at.panel.top,
                   at.panel.right - at.panel.left, at.panel.bottom - at.panel.top, at.panelId);
    pages[0] = CreateStripPage(b, at, 0);
}

void CreateLaterStripPages(const Builder& b, const TabStripLayout& at, std::span<HWND> pages) {
    for (size_t i = 1; i < pages.size(); ++i) pages[i] = CreateStripPage(b, at, i);
}

void PlaceAfter(HWND control, HWND previous) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CreateFrame(const Builder& b) {
    FrmMain& f = b.form;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    f.Image3 = b.Picture(f.hwnd, 8, 8, 22, 18, ID_IMAGE3, face);
    const char* const upper[] = {"General", "Version", "Find Files", "Settings"};
    CreateTabStrip(b, kUpperStrip, upper, f.cmdTab1, f.cmdTab, f.picTab);
    const char* const right[] = {"Browse", "Search Results", "Display File"};
    CreateTabStrip(b, kRightStrip, right, f.cmdTab2, f.cmdTab2Back, f.picTab2);
    f.picIcon[1] = b.Picture(f.hwnd, 320, 8, 16, 16, ID_PICICON + 1, kIconBackground);
}

void CreateGeneralPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab[0];
    f.picIcon[0] = b.Picture(p, 8, 8, 32, 32, ID_PICICON, kIconBackground);
    f.lblValue[15] = b.Value(p, 48, 16, 138, ID_LBLVALUE + 15);
    f.labIcon = b.Label(p, "", 212, 4, 42, 16, ID_LABICON, SS_RIGHT);
    f.cbxIcon = b.Make(p, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | WS_DISABLED, 212, 20, 42, 200,
                       ID_CBXICON);
    f.picIcon[2] = b.Picture(p, 260, 8, 32, 32, ID_PICICON + 2, kIconBackground);
    const char* keys[] = {"Type:", "Location:", "Size:", "DOS name:", "Created:", "Modified:", "Accessed:"};
    const int tops[] = {52, 70, 88, 112, 130, 148, 166};
    for (int i = 0; i < 7; ++i) {
        f.labKey[i] = b.Label(p, keys[i], 8, tops[i], 74, 16, ID_LABKEY + i, SS_LEFTNOWORDWRAP);
        f.lblValue[i] = b.Value(p, 84, tops[i], 210, ID_LBLVALUE + i);
    }
    f.labAttr = b.Label(p, "Attributes:", 8, 196, 70, 16, ID_LABATTR);
    const char* attrs[] = {"&Read-only", "Hi&dden", "Archi&ve", "System", "Folder"};
    const int ax[] = {80, 80, 186, 186, 186}, ay[] = {194, 214, 194, 214, 234};
    for (int i = 0; i < 5; ++i) {
        // BS_NOTIFY: focusing a box shows the Apply indicator.
        f.chkAttr[i] = b.Make(p, "BUTTON", attrs[i], WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY, ax[i], ay[i], 90, 18,
                              ID_CHKATTR + i);
    }
    EnableWindow(f.chkAttr[3], FALSE);
    EnableWindow(f.chkAttr[4], FALSE);
}

// What the window shows only now and then: made hidden, after the first window is shown, each
// in its place in the stacking order.
void CreateOccasionalControls(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab[0];
    f.labKey[15] = b.Label(p, "Name:", 48, 8, 40, 16, ID_LABKEY + 15);
    PlaceAfter(f.labKey[15], f.picIcon[0]);
    f.Image4 = b.Picture(p, 190, 16, 16, 16, ID_IMAGE4, GetSysColor(COLOR_BTNFACE));
    PlaceAfter(f.Image4, f.lblValue[15]);
    f.Image2 = b.Picture(p, 156, 215, 16, 16, ID_IMAGE2, GetSysColor(COLOR_BTNFACE));
    DrawIndicators(f);
    // The tab strips' tip and the splitters' guide lies over everything else.
    f.pop = b.Picture(f.hwnd, 0, 0, 33, 21, ID_POP, GetSysColor(COLOR_BTNFACE), true);
    PlaceAfter(f.pop, HWND_TOP);
}

void CreateVersionPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab[1];
    const char* keys[] = {"File version:", "Description:", "Copyright:", "Type:", "File version:",
                          "Prod. version:", "File flags:", "Target OS:"};
    const int tops[] = {8, 26, 44, 186, 204, 222, 240, 258};
    for (int i = 0; i < 8; ++i) {
        f.labKey[7 + i] = b.Label(p, keys[i], 8, tops[i], 90, 16, ID_LABKEY + 7 + i, SS_LEFTNOWORDWRAP);
        f.lblValue[7 + i] = b.Value(p, 100, tops[i], 194, ID_LBLVALUE + 7 + i);
    }
    f.lstInfo = b.Make(p, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8,
                       66, 124, 110, ID_LSTINFO);
    f.txtInfoVal = b.Make(p, "EDIT", "",
                          WS_TABSTOP | WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 136, 66,
                          158, 110, ID_TXTINFOVAL);
}

void CreateFindPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab[2];
    f.Check2 = b.Check(p, "&No matter what date", 8, 6, 200, ID_CHECK2, true);
    f.Label1 = b.Label(p, "Files", 8, 32, 36, 16, ID_LABEL1);
    const char* options[] = {"&created", "&modified", "&accessed"};
    const int ox[] = {44, 116, 198}, ow[] = {70, 80, 90};
    for (int i = 0; i < 3; ++i)
        f.Option1[i] = b.Make(p, "BUTTON", options[i], WS_TABSTOP | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), ox[i],
                              30, ow[i], 18, ID_OPTION1 + i);
    Button_SetCheck(f.Option1[0], BST_CHECKED);
    f.labBetween = b.Label(p, "&between", 8, 56, 56, 16, ID_LABBETWEEN);
    f.txtDate[0] = b.Make(p, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 66, 53, 180, 20, ID_TXTDATE, WS_EX_CLIENTEDGE);
    f.Image1 = b.Picture(p, 252, 55, 16, 16, ID_IMAGE1, GetSysColor(COLOR_BTNFACE));
    f.labAnd = b.Label(p, "and", 8, 78, 56, 16, ID_LABAND);
    f.txtDate[1] = b.Make(p, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 66, 75, 180, 20, ID_TXTDATE + 1, WS_EX_CLIENTEDGE);

    f.Label5 = b.Label(p, "&Named:", 8, 112, 60, 16, ID_LABEL5);
    f.Combo1 = b.Make(p, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, 70, 108,
                      224, 200, ID_COMBO1);
    for (const char* item : {"*.*", "*.dll", "*.drv", "*.exe", "*.ocx", "*.vbx"}) ComboBox_AddString(f.Combo1, item);
    SetText(f.Combo1, "*.*");
    f.Label3 = b.Label(p, "&Look in:", 8, 138, 60, 16, ID_LABEL3);
    f.Combo2 = b.Make(p, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 70, 134, 224, 200,
                      ID_COMBO2);
    f.chkIncludeSubs = b.Check(p, "Include &subfolders", 70, 162, 200, ID_CHKINCLUDESUBS);
    Button_SetCheck(f.chkIncludeSubs, BST_CHECKED);

    f.Label6 = b.Label(p, "Required attributes:", 8, 196, 72, 32, ID_LABEL6);
    const char* attrs[] = {"Read-only", "Hidden", "Archive", "System", "Folder"};
    const int ax[] = {82, 162, 82, 162, 230}, ay[] = {194, 194, 214, 214, 214}, aw[] = {80, 66, 80, 66, 64};
    for (int i = 0; i < 5; ++i) f.chkAttrFind[i] = b.Check(p, attrs[i], ax[i], ay[i], aw[i], ID_CHKATTRFIND + i);
    f.cmdStop = b.Button(p, "Sto&p", 144, 255, 72, 24, ID_CMDSTOP);
    EnableWindow(f.cmdStop, FALSE);
    f.cmdFind = b.Button(p, "F&ind Now", 222, 255, 72, 24, ID_CMDFIND);
}

void CreateSettingsPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab[3];
    f.chkShellExt = b.Check(p, "Explorer Shell Extension", 8, 8, 280, ID_CHKSHELLEXT, true);
    const char* boxes[] = {"Find folders, too",    "Show tooltips",     "Remember window pos/size",
                           "Show date \"Modified\" in Search Results always", "Beep when find done",
                           "Show 4-digit year",    "Show seconds",      "Truncate file names to fit"};
    // The long caption of box 3 takes two lines.
    for (int i = 0, y = 40; i < 8; ++i) {
        int height = i == 3 ? 32 : 18;
        f.Check1[i] = b.Make(p, "BUTTON", boxes[i], WS_TABSTOP | BS_3STATE | BS_MULTILINE | BS_TOP, 8, y, 286, height,
                             ID_CHECK1 + i);
        y += height;
    }
    f.chkXclude = b.Check(p, "Exclude Folders", 8, 212, 200, ID_CHKXCLUDE, true);
    f.cbxXclude = b.Make(p, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 8, 236, 164, 200,
                         ID_CBXXCLUDE);
    f.cmdAdd = b.Button(p, "Add", 176, 235, 54, 23, ID_CMDADD);
    f.cmdRemove = b.Button(p, "Remove", 234, 235, 60, 23, ID_CMDREMOVE);
}

void CreateBrowsePage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab2[0];
    f.Label2[1] = b.Label(p, "Path", 4, 4, 305, 16, ID_LABEL2 + 1, SS_PATHELLIPSIS | SS_NOPREFIX);
    f.Drive1 = b.Make(p, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 4, 22, 125, 300, ID_DRIVE1);
    f.Label2[3] = b.Label(p, "&Files", 133, 26, 170, 16, ID_LABEL2 + 3);
    f.Dir1 = b.Make(p, "LISTBOX", "",
                    WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT,
                    4, 48, 126, 213, ID_DIR1);
    f.File1 = b.Make(p, "LISTBOX", "",
                     WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT, 133, 48, 174,
                     213, ID_FILE1);
}

void CreateResultsPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab2[1];
    const char* cols[] = {" Name", " Created", " Size", " Folder"};
    int left = 4;
    for (int i = 0; i < 4; ++i) {
        int width = i < 3 ? DefaultColumnWidths[i] : 305 - left;
        f.labCol[i] = b.Make(p, "STATIC", cols[i], SS_LEFT | SS_NOTIFY | SS_SUNKEN | SS_CENTERIMAGE, left, 2, width, 17,
                             ID_LABCOL + i);
        left += width;
    }
    // The list holds no lines of its own: line i is drawn from the table's row i when it shows,
    // so a search adds a line without storing its text twice.
    f.lstFound = b.Make(p, "LISTBOX", "",
                        WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_BORDER | LBS_NOTIFY | LBS_EXTENDEDSEL |
                            LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                        4, 20, 305, 238, ID_LSTFOUND);
    // The search's progress and the selection count share the left of the status row: a search
    // clears the selection count before it shows its progress.
    f.labSelected = b.Label(p, "", 4, 265, 200, 16, ID_LABSELECTED);
    f.labSearching = b.Make(p, StatusLabelClass, "Searching: ", 0, 4, 265, 200, 16, ID_LABSEARCHING);
    ShowWindow(f.labSearching, SW_HIDE);
    f.labFound = b.Label(p, "", 208, 265, 100, 16, ID_LABFOUND, SS_RIGHT);
}

void CreateDisplayPage(const Builder& b) {
    FrmMain& f = b.form;
    HWND p = f.picTab2[2];
    f.cmdDisplay = b.Button(p, "Display", 4, 4, 70, 23, ID_CMDDISPLAY);
    f.Check3 = b.Check(p, "Monospace", 84, 6, 100, ID_CHECK3);
    f.Text3 = b.Make(p, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, 4, 32, 291, 20, ID_TEXT3, WS_EX_CLIENTEDGE);
    f.Text2 = b.Make(p, "EDIT", "",
                     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                     4, 56, 291, 209, ID_TEXT2, WS_EX_CLIENTEDGE);
    ApplyViewerFont(f);
}

void CreateMenus(FrmMain& f) {
    f.menOptTop = CreatePopupMenu();
    AppendMenuA(f.menOptTop, MF_STRING | MF_GRAYED, ID_MENOPT + 0, "Copy &File Info");
    AppendMenuA(f.menOptTop, MF_STRING | MF_GRAYED, ID_MENOPT + 1, "Copy &Large Icon's Bitmap");
    AppendMenuA(f.menOptTop, MF_STRING | MF_GRAYED, ID_MENOPT + 2, "Copy &Small Icon's Bitmap");
    AppendMenuA(f.menOptTop, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(f.menOptTop, MF_STRING, ID_MENOPTABOUT, "&About ...");
    AppendMenuA(f.menOptTop, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(f.menOptTop, MF_STRING, ID_MENOPTEXIT, "E&xit");

    f.menOptDateTop = CreatePopupMenu();
    const char* periods[] = {"Previous &5 Minutes", "Previous &15 Minutes", "Previous &Hour",
                             "Previous &Day",       "Previous &Week",       "Previous &Month",
                             "Previous &Year",      "More than a Year &Ago", "&Unknown"};
    for (int i = 0; i < 9; ++i) AppendMenuA(f.menOptDateTop, MF_STRING, ID_MENOPTDATE + i, periods[i]);
    AppendMenuA(f.menOptDateTop, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(f.menOptDateTop, MF_STRING | MF_GRAYED, ID_MENOPTAROUND, "&Created like (file)");

    f.menApplyTop = CreatePopupMenu();
    AppendMenuA(f.menApplyTop, MF_STRING, ID_MENAPPLY, "&Apply");

    f.menLstFoundTop = CreatePopupMenu();
    AppendMenuA(f.menLstFoundTop, MF_STRING, ID_MENLSTFOUNDCOPY, "Copy &Search Results");
    AppendMenuA(f.menLstFoundTop, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(f.menLstFoundTop, MF_STRING, ID_MENLSTFOUNDDEL, "&Delete");
}

// ---- tab buttons react on the press, as the user expects of a tab ------------------------

WNDPROC originalButtonProc = nullptr;

LRESULT CALLBACK TabButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) {
        if (FrmMain* form = FormFromWindow(GetAncestor(hwnd, GA_ROOT))) {
            int id = GetDlgCtrlID(hwnd);
            if (id >= ID_CMDTAB1 && id < ID_CMDTAB1 + 4) TabSwitchUpper(*form, id - ID_CMDTAB1);
            if (id >= ID_CMDTAB2 && id < ID_CMDTAB2 + 3) TabSwitchRight(*form, id - ID_CMDTAB2);
        }
    }
    return CallWindowProcA(originalButtonProc, hwnd, msg, wp, lp);
}

void SubclassTabButton(HWND button) {
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabButtonProc)));
    if (!originalButtonProc) originalButtonProc = previous;
}

// ---- event handlers ----------------------------------------------------------------------

void ToggleThreeState(HWND box) { SetCheckValue(box, GetCheckValue(box) == 1 ? 0 : 1); }

void OnCommand(FrmMain& form, int id, int code, HWND control) {
    // A value the program set: the owning page handles it as a change, nothing steps the box.
    const bool setByProgram = code == ValueSetCode;
    if (setByProgram) code = BN_CLICKED;
    if (id >= ID_CMDTAB1 && id < ID_CMDTAB1 + 4) {
        if (code == BN_CLICKED) TabSwitchUpper(form, id - ID_CMDTAB1);
        return;
    }
    if (id >= ID_CMDTAB2 && id < ID_CMDTAB2 + 3) {
        if (code == BN_CLICKED) TabSwitchRight(form, id - ID_CMDTAB2);
        return;
    }
    switch (id) {
    case ID_IMAGE3: if (code == PN_MOUSEUP) PopupAtCursor(form, form.menOptTop); return;
    case ID_IMAGE1: if (code == PN_MOUSEUP) PopupAtCursor(form, form.menOptDateTop); return;
    case ID_IMAGE2: if (code == PN_MOUSEUP) PopupAtCursor(form, form.menApplyTop); return;
    case ID_IMAGE4: if (code == PN_MOUSEUP) TabSwitchUpper(form, 1); return;
    case ID_MENOPTABOUT: ShowAboutBox(form.hwnd); return;
    case ID_MENOPTEXIT: SendMessageA(form.hwnd, WM_CLOSE, 0, 0); return;
    default: break;
    }
    // These boxes can hold the grayed state, so a click toggles them here rather than by itself.
    if (code == BN_CLICKED && !setByProgram && (id == ID_CHECK2 || id == ID_CHKXCLUDE || id == ID_CHKSHELLEXT))
        ToggleThreeState(control);
    if (id >= ID_CHECK1 && id < ID_CHECK1 + 8) {
        if (code == BN_CLICKED) {
            if (!setByProgram) ToggleThreeState(control);
            Check1_Changed(form, id - ID_CHECK1);
        }
        return;
    }
    if (code == STN_DBLCLK && id >= ID_LBLVALUE && id < ID_LBLVALUE + 16) {
        CopyValueLabel(form, id - ID_LBLVALUE);
        return;
    }
    if (code == STN_DBLCLK && id >= ID_LABKEY && id < ID_LABKEY + 16) {
        CopyValueLabel(form, id - ID_LABKEY);
        return;
    }
    if (GeneralPage_OnCommand(form, id, code, control)) return;
    if (id == ID_LSTINFO) {
        VersionPage_OnCommand(form, id, code);
        return;
    }
    if (FindPage_OnCommand(form, id, code, control)) return;
    if (ResultsPage_OnCommand(form, id, code, control)) return;
    if (ExcludeList_OnCommand(form, id, code, control)) return;
    if (ShellExtension_OnCommand(form, id, code, control)) return;
    if (FileViewer_OnCommand(form, id, code, control)) return;
    if (BrowsePage_OnCommand(form, id, code, control)) return;
}

void OnClose(FrmMain& form) {
    LoadSaveSettings(form, false);
    DestroyWindow(form.hwnd);
}

void OnDestroy(FrmMain& form) {
    KillTimer(form.hwnd, TIMER1_ID);
    for (HMENU* menu : {&form.menOptTop, &form.menOptDateTop, &form.menApplyTop, &form.menLstFoundTop}) {
        if (*menu) DestroyMenu(*menu);
        *menu = nullptr;
    }
    if (form.QuitOnDestroy) PostQuitMessage(0);
}

// The controls are gone by now, so the font they used can go too.
void OnFinalDestroy(FrmMain& form) {
    SetWindowLongPtrA(form.hwnd, GWLP_USERDATA, 0);
    form.hwnd = nullptr;
    if (form.font) DeleteObject(form.font);
    form.font = nullptr;
}

void OnGetMinMaxInfo(const FrmMain& form, MINMAXINFO& info) {
    info.ptMinTrackSize.y = TwipsToPixels(MinWindowHeightTwips, form.dpi);
}

PageState* PageFromWindow(HWND page);

// The page state of a page of the window; nullptr for any other control.
PageState* PageOf(HWND control) {
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    return lstrcmpA(cls, kPageClass) == 0 ? PageFromWindow(control) : nullptr;
}

// One control at a new scale: its edges move with the scale, so neighbours stay neighbours.
void RescaleControl(HWND control, int from, int to, HFONT font) {
    RECT r = ControlRect(control);
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    // A drop-down's window rectangle is its closed box; the height it is given includes the list.
    if (lstrcmpiA(cls, "ComboBox") == 0) {
        RECT dropped = {};
        if (SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            r.bottom = r.top + (dropped.bottom - dropped.top);
    }
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int left = MulDiv(r.left, to, from), top = MulDiv(r.top, to, from);
    MoveControl(control, left, top, MulDiv(r.right, to, from) - left, MulDiv(r.bottom, to, from) - top);
}

// Moving to a monitor of another scale: a new font, every control at the new scale, what is laid
// out from texts and settings laid out again, and the window in the place the system offers.
void OnDpiChanged(FrmMain& form, int dpi, const RECT& suggested) {
    if (dpi > 0 && dpi != form.dpi) {
        const int old = form.dpi;
        LowerActiveTabs(form);
        form.dpi = dpi;
        HFONT font = CreateFormFont(dpi);
        SendMessageA(form.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (HWND child = GetWindow(form.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RescaleControl(child, old, dpi, font);
            if (PageState* state = PageOf(child)) {
                for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
                    RescaleControl(inner, old, dpi, font);
                for (auto& [y, margin] : state->lines) y = MulDiv(y, dpi, old);
            }
        }
        // No control holds the old font any more.
        if (form.font) DeleteObject(form.font);
        form.font = font;
        ApplyViewerFont(form);
        LayoutTabStrip(form, true);
        LayoutTabStrip(form, false);
        RaiseActiveTabs(form);
        BrowsePage_DpiChanged(form);
        DoListBox(form, ColumnWidths);
        DrawOwnPictures(form);
        RedrawFileIcons(form);
    }
    SetWindowPos(form.hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RelayOutWindow(form);
    InvalidateRect(form.hwnd, nullptr, TRUE);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<FrmMain*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        form->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    FrmMain* form = FormFromWindow(hwnd);
    if (!form) return DefWindowProcA(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_COMMAND: OnCommand(*form, LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)); return 0;
    case WM_SIZE: if (wp != SIZE_MINIMIZED) LayoutRightArea(*form); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*form, *reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case WM_DPICHANGED: OnDpiChanged(*form, HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_TIMER: if (wp == TIMER1_ID) TipTimerTick(*form); return 0;
    case WM_MOUSEMOVE: BackgroundMouseMove(*form, true); return 0;
    case WM_KEYDOWN: FormKeyDown(*form, wp, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0); return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        return BrowsePage_OnDrawItem(*form, item) || ResultsPage_OnDrawItem(*form, item);
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        return BrowsePage_OnMeasureItem(*form, item) || ResultsPage_OnMeasureItem(*form, item);
    }
    case DM_GETDEFID: return form->DefaultIsFind ? MAKELRESULT(ID_CMDFIND, DC_HASDEFID) : 0;
    case WM_NAMEDLEFT: Combo1_Left(*form); return 0;
    case WM_CLOSE: OnClose(*form); return 0;
    case WM_DESTROY: OnDestroy(*form); return 0;
    case WM_NCDESTROY: OnFinalDestroy(*form); break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

PageState* PageFromWindow(HWND page) { return reinterpret_cast<PageState*>(GetWindowLongPtrA(page, GWLP_USERDATA)); }

void OnPageMouse(FrmMain& form, HWND page, UINT msg, LPARAM lp) {
    if (page == form.picTab2[0]) {
        BrowseSplitterMouse(form, msg, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    } else if (msg == WM_MOUSEMOVE && std::find(form.picTab.begin(), form.picTab.end(), page) != form.picTab.end()) {
        BackgroundMouseMove(form, true);
    }
}

void PaintPage(HWND page) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(page, &ps);
    if (PageState* state = PageFromWindow(page)) {
        RECT client;
        GetClientRect(page, &client);
        HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
        HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT));
        HGDIOBJ old = SelectObject(dc, shadow);
        for (auto [y, margin] : state->lines) {
            SelectObject(dc, shadow);
            MoveToEx(dc, margin, y, nullptr);
            LineTo(dc, client.right - margin, y);
            SelectObject(dc, light);
            MoveToEx(dc, margin, y + 1, nullptr);
            LineTo(dc, client.right - margin, y + 1);
        }
        SelectObject(dc, old);
        DeleteObject(shadow);
        DeleteObject(light);
    }
    EndPaint(page, &ps);
}

// Pages are plain containers: what their controls report belongs to the main window.
LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        break;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_VKEYTOITEM:
        return SendMessageA(GetParent(hwnd), msg, wp, lp);
    case WM_PAINT: PaintPage(hwnd); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (FrmMain* form = FormFromWindow(GetParent(hwnd))) OnPageMouse(*form, hwnd, msg, lp);
        return 0;
    case WM_SETCURSOR:
        if (FrmMain* form = FormFromWindow(GetParent(hwnd)); form && hwnd == form->picTab2[0] && LOWORD(lp) == HTCLIENT) {
            if (HCURSOR cursor = BrowseSplitterCursor(*form)) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case WM_NCDESTROY:
        delete PageFromWindow(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterClasses(HINSTANCE instance) {
    RegisterOwnClass(instance, MainWindowClass, MainProc, CS_DBLCLKS, GetSystemMetrics(SM_CXICON));
    RegisterOwnClass(instance, kPageClass, PageProc, CS_DBLCLKS);
    RegisterPictureBoxClass(instance);
    RegisterStatusLabelClass(instance);
}


} // namespace

std::unique_ptr<FrmMain> CreateMainWindow(HINSTANCE instance, int dpi) {
    RegisterClasses(instance);
    auto form = std::make_unique<FrmMain>();
    form->dpi = dpi > 0 ? dpi : WindowDpi(nullptr);
    HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, MainWindowClass, AppTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, TwipsToPixels(DesignWidthTwips, form->dpi),
                                TwipsToPixels(MinWindowHeightTwips, form->dpi), nullptr, nullptr, instance, form.get());
    if (!hwnd) return nullptr;
    // The monitor the window opened on may show another scale than the system's.
    if (const int shown = WindowDpi(hwnd); dpi <= 0 && shown != form->dpi) {
        form->dpi = shown;
        SetWindowPos(hwnd, nullptr, 0, 0, TwipsToPixels(DesignWidthTwips, shown),
                     TwipsToPixels(MinWindowHeightTwips, shown), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form->font = CreateFormFont(form->dpi);
    form->keyPreview = FormKeyDown;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form->font), FALSE);
    Builder builder{*form, instance};
    CreateFrame(builder);
    CreateGeneralPage(builder);
    CreateBrowsePage(builder);
    CreateMenus(*form);
    DrawOwnPictures(*form);
    for (HWND tab : form->cmdTab1) SubclassTabButton(tab);
    for (HWND tab : form->cmdTab2) SubclassTabButton(tab);
    // The right area follows the window from the first layout on.
    LayoutRightArea(*form);
    form->showFile = &GetAllFileInfo;
    BrowsePage_Init(*form);
    return form;
}

void MakeHiddenPages(FrmMain& form) {
    if (form.HiddenPagesMade) return;
    form.HiddenPagesMade = true;
    Builder builder{form, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form.hwnd, GWLP_HINSTANCE))};
    CreateOccasionalControls(Builder{form, builder.instance, /*shown=*/false});
    CreateLaterStripPages(builder, kUpperStrip, form.picTab);
    CreateLaterStripPages(builder, kRightStrip, form.picTab2);
    CreateVersionPage(builder);
    CreateFindPage(builder);
    CreateSettingsPage(builder);
    CreateResultsPage(builder);
    CreateDisplayPage(builder);
    DrawCalendar(form.Image1, form.dpi);
    FindPage_Init(form);
    TipsAndSplitter_Init(form);
    ResultsPage_Init(form);
    LayoutRightArea(form);
}

void LayoutRightArea(FrmMain& form) {
    if (!form.hwnd || IsIconic(form.hwnd) || !form.cmdTab2Back) return;
    RECT window;
    GetWindowRect(form.hwnd, &window);
    const int minHeight = TwipsToPixels(MinWindowHeightTwips, form.dpi);
    if (window.bottom - window.top < minHeight) {
        SetWindowPos(form.hwnd, nullptr, 0, 0, window.right - window.left, minHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;   // the resize that follows lays the area out
    }
    RECT client;
    GetClientRect(form.hwnd, &client);
    const int W = client.right, H = client.bottom;
    auto S = [&form](int designPixels) { return Scale(designPixels, form.dpi); };
    const RECT back = ControlRect(form.cmdTab2Back);
    const int x0 = back.left + S(8);
    const int y0 = back.top + S(10);
    auto resize = [](HWND control, int width, int height) {
        RECT r = ControlRect(control);
        MoveControl(control, r.left, r.top, width < 0 ? r.right - r.left : width, height < 0 ? r.bottom - r.top : height);
    };
    resize(form.cmdTab2Back, W - x0, H - y0 + S(4));
    for (HWND page : form.picTab2) resize(page, W - x0 - S(4), H - y0);
    resize(form.lstFound, W - x0 - S(8), H - y0 - ControlTop(form.lstFound) - S(20));
    resize(form.File1, W - (x0 + ControlLeft(form.File1)) - S(6), H - y0 - S(69));
    resize(form.Dir1, -1, H - y0 - S(69));
    resize(form.Text3, W - x0 - S(22), -1);
    resize(form.Text2, W - x0 - S(22), H - y0 - ControlTop(form.Text2) - S(20));
    resize(form.labCol[3], ControlWidth(form.lstFound) - ControlLeft(form.labCol[3]), -1);
    const int labelTop = ControlHeight(form.lstFound) + S(27);
    for (HWND label : {form.labSearching, form.labFound, form.labSelected}) {
        RECT r = ControlRect(label);
        MoveControl(label, r.left, labelTop, r.right - r.left, r.bottom - r.top);
    }
    InvalidateRect(form.hwnd, nullptr, TRUE);
}

bool FormKeyDown(FrmMain& form, WPARAM key, bool ctrl, bool shift) {
    if (key == VK_TAB && ctrl) {
        int next = shift ? (form.CurrentUpperTab + 3) % 4 : (form.CurrentUpperTab + 1) % 4;
        TabSwitchUpper(form, next);
        return true;
    }
    if (key == VK_ESCAPE) {
        StopRequested = true;
        SortStopRequested = true;
    }
    return false;
}

void DrawEtchedLine(HWND page, int y, int margin) {
    if (PageState* state = PageFromWindow(page)) {
        state->lines.emplace_back(y, margin);
        InvalidateRect(page, nullptr, TRUE);
    }
}
