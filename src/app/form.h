#pragma once
// The main window: every control by its design name, plus the state that lives as long as
// the window. Control arrays index from 0; indexes a page does not use stay null.
#include <windows.h>

#include "fileinfo/current_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Control ids. Arrays take consecutive ids from their base, so id - base is the index.
enum ControlId : int {
    ID_IMAGE3 = 100,
    ID_CMDTAB1 = 110,      // 110..113
    ID_CMDTAB = 120,
    ID_PICTAB = 130,       // 130..133
    ID_CMDTAB2 = 140,      // 140..142
    ID_CMDTAB2BACK = 150,
    ID_PICTAB2 = 160,      // 160..162
    ID_POP = 170,
    ID_PICICON = 180,      // 180..182
    // General page
    ID_LBLVALUE = 200,     // 200..215
    ID_LABKEY = 220,       // 220..235
    ID_IMAGE4 = 240,
    ID_LABICON = 241,
    ID_CBXICON = 242,
    ID_LABATTR = 243,
    ID_CHKATTR = 250,      // 250..254
    ID_IMAGE2 = 260,
    // Version page
    ID_LSTINFO = 270,
    ID_TXTINFOVAL = 271,
    // Find Files page
    ID_CHECK2 = 300,
    ID_LABEL1 = 301,
    ID_OPTION1 = 310,      // 310..312
    ID_LABBETWEEN = 320,
    ID_TXTDATE = 321,      // 321..322
    ID_LABAND = 323,
    ID_IMAGE1 = 324,
    ID_LABEL5 = 325,
    ID_COMBO1 = 326,
    ID_LABEL3 = 327,
    ID_COMBO2 = 328,
    ID_CHKINCLUDESUBS = 329,
    ID_LABEL6 = 330,
    ID_CHKATTRFIND = 340,  // 340..344
    ID_CMDSTOP = 350,
    ID_CMDFIND = 351,
    // Settings page
    ID_CHKSHELLEXT = 400,
    ID_CHECK1 = 410,       // 410..417
    ID_CHKXCLUDE = 420,
    ID_CMDADD = 421,
    ID_CMDREMOVE = 422,
    ID_CBXXCLUDE = 423,
    // Browse page
    ID_LABEL2 = 500,       // 500..503
    ID_DRIVE1 = 510,
    ID_DIR1 = 511,
    ID_FILE1 = 512,
    // Search Results page
    ID_LABCOL = 600,       // 600..603
    ID_LSTFOUND = 610,
    ID_LABSEARCHING = 611,
    ID_LABFOUND = 612,
    ID_LABSELECTED = 613,
    // Display File page
    ID_CMDDISPLAY = 700,
    ID_CHECK3 = 701,
    ID_TEXT3 = 702,
    ID_TEXT2 = 703,
    // Menu items
    ID_MENOPT = 1000,      // 1000..1002
    ID_MENOPTABOUT = 1010,
    ID_MENOPTEXIT = 1011,
    ID_MENOPTDATE = 1020,  // 1020..1028
    ID_MENOPTAROUND = 1030,
    ID_MENAPPLY = 1040,
    ID_MENLSTFOUNDCOPY = 1050,
    ID_MENLSTFOUNDDEL = 1051,
};

// Notification codes the picture boxes send in WM_COMMAND (HIWORD of wParam).
enum PictureNotify : int {
    PN_MOUSEUP = 0x100,   // any button released over the picture
    PN_DBLCLK = 0x101,    // left double click
};

inline constexpr UINT_PTR TIMER1_ID = 1;

// Twips per pixel at the design resolution (96 DPI); the window's own position and size are kept
// in twips, which app/dpi.h turns into pixels at any DPI.
inline constexpr int TwipsPerPixel = 15;

struct FrmMain {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    int dpi = 96;                   // the DPI the window is shown at; every design pixel is scaled by it

    // Frame
    HWND Image3 = nullptr;
    std::array<HWND, 4> cmdTab1{};
    HWND cmdTab = nullptr;
    std::array<HWND, 4> picTab{};
    std::array<HWND, 3> cmdTab2{};
    HWND cmdTab2Back = nullptr;
    std::array<HWND, 3> picTab2{};
    HWND pop = nullptr;
    std::array<HWND, 3> picIcon{};   // 0 and 2 on the General page, 1 on the window

    // General and Version pages (labKey/lblValue 0..6 and 15 General, 7..14 Version)
    std::array<HWND, 16> lblValue{};
    std::array<HWND, 16> labKey{};
    HWND Image4 = nullptr;
    HWND labIcon = nullptr;
    HWND cbxIcon = nullptr;
    HWND labAttr = nullptr;
    std::array<HWND, 5> chkAttr{};
    HWND Image2 = nullptr;
    HWND lstInfo = nullptr;
    HWND txtInfoVal = nullptr;

    // Find Files page
    HWND Check2 = nullptr;
    HWND Label1 = nullptr;
    std::array<HWND, 3> Option1{};
    HWND labBetween = nullptr;
    std::array<HWND, 2> txtDate{};
    HWND labAnd = nullptr;
    HWND Image1 = nullptr;
    HWND Label5 = nullptr;
    HWND Combo1 = nullptr;
    HWND Label3 = nullptr;
    HWND Combo2 = nullptr;
    HWND chkIncludeSubs = nullptr;
    HWND Label6 = nullptr;
    std::array<HWND, 5> chkAttrFind{};
    HWND cmdStop = nullptr;
    HWND cmdFind = nullptr;

    // Settings page
    HWND chkShellExt = nullptr;
    std::array<HWND, 8> Check1{};
    HWND chkXclude = nullptr;
    HWND cmdAdd = nullptr;
    HWND cmdRemove = nullptr;
    HWND cbxXclude = nullptr;

    // Browse page
    std::array<HWND, 4> Label2{};    // 1 "Path", 3 "&Files"
    HWND Drive1 = nullptr;
    HWND Dir1 = nullptr;
    HWND File1 = nullptr;

    // Search Results page
    std::array<HWND, 4> labCol{};
    HWND lstFound = nullptr;
    HWND labSearching = nullptr;
    HWND labFound = nullptr;
    HWND labSelected = nullptr;

    // Display File page
    HWND cmdDisplay = nullptr;
    HWND Check3 = nullptr;
    HWND Text3 = nullptr;
    HWND Text2 = nullptr;

    // Popup menus (hidden top-level menus) and the items later code retitles or enables.
    HMENU menOptTop = nullptr;
    HMENU menOptDateTop = nullptr;
    HMENU menApplyTop = nullptr;
    HMENU menLstFoundTop = nullptr;

    // Form-level state
    CurrentFile current;            // the file the General and Version pages show
    int CurrentUpperTab = 2;
    int CurrentRightTab = 0;
    std::string StartupFileName;
    std::string BrowseFolder;       // Dir1's folder as the shell names it, ending in "\"
    std::string DriveRoots;         // the drive roots, each followed by a NUL (all-drives search)
    std::vector<std::string> DriveNames;   // the drives as the drive list names them, in its order
    std::string File1Pattern = "*.*";
    int16_t LastTipIndex = -1;
    bool DragActive = false;
    bool FindRunning = false;       // the Find command is running (its walk lets messages through)
    bool sortRunning = false;       // a header click's sort is running (its passes run other handlers)
    bool resizePointerShown = false;  // a results header showed the resize pointer at its last move
    int dragColumn = -1;            // the results column a drag started on
    // Shows a file picked in File1 on the General page; set by the main window once that page
    // can show files. nullptr: picking a file shows nothing.
    void (*showFile)(FrmMain& form, const std::string& folder, const std::string& name) = nullptr;
    bool splitCursorShown = false;  // the pointer over the Browse page is the splitter's
    bool shellExtUpdating = false;  // the program itself is setting chkShellExt after a read
    bool Timer1Enabled = false;
    UINT Timer1Interval = 0;
    bool DefaultIsFind = false;     // cmdFind is the default button
    std::array<int, 3> FoundTabStops = {};   // the results list's column stops, in pixels
    bool Loaded = false;            // start-up has run to its end
    bool HiddenPagesMade = false;   // the pages the first window does not show exist
    bool QuitOnDestroy = false;     // the program's own window ends the message loop when it goes
    // The window's keyboard preview, seen before the focused control: true when it used the key.
    bool (*keyPreview)(FrmMain& form, WPARAM key, bool ctrl, bool shift) = nullptr;
};
