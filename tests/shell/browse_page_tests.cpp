// The Browse page on real folders: a hidden window with the page's controls (same classes and
// styles as the main window makes them), driven by the messages a user's actions cause.
#include <gtest/gtest.h>

#include "app/text_case.h"

#include "app/form.h"
#include "shell/browse_page.h"
#include "shell/drives.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FrmMain* form = reinterpret_cast<FrmMain*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form) {
        switch (message) {
        case WM_COMMAND:
            if (BrowsePage_OnCommand(*form, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
            break;
        case WM_DRAWITEM:
            if (BrowsePage_OnDrawItem(*form, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_MEASUREITEM:
            if (BrowsePage_OnMeasureItem(*form, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    WNDCLASSA main = {};
    main.lpfnWndProc = DefWindowProcA;
    main.hInstance = GetModuleHandleA(nullptr);
    main.lpszClassName = "BrowseTestMain";
    RegisterClassA(&main);
    WNDCLASSA page = main;
    page.lpfnWndProc = PageProc;
    page.lpszClassName = "BrowseTestPage";
    RegisterClassA(&page);
    done = true;
}

std::string Text(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

std::string ListItem(HWND list, int index) {
    char buffer[MAX_PATH + 1] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    for (int i = 0; i < ListBox_GetCount(list); ++i) items.push_back(ListItem(list, i));
    return items;
}

std::string ComboItem(HWND combo, int index) {
    char buffer[MAX_PATH + 1] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

struct RecordedFile {
    std::string folder;
    std::string name;
};
std::vector<RecordedFile> shownFiles;
void RecordShownFile(FrmMain&, const std::string& folder, const std::string& name) { shownFiles.push_back({folder, name}); }

class BrowsePage : public testing::Test {
protected:
    void SetUp() override {
        RegisterClasses();
        HINSTANCE instance = GetModuleHandleA(nullptr);
        form.hwnd = CreateWindowExA(0, "BrowseTestMain", "", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                                    instance, nullptr);
        page = CreateWindowExA(0, "BrowseTestPage", "", WS_CHILD | WS_VISIBLE, 0, 0, 690, 480, form.hwnd,
                               reinterpret_cast<HMENU>(ID_PICTAB2), instance, nullptr);
        // Before the controls: the folder list asks for its item height while it is made.
        SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
        auto make = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
            return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, page,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        };
        form.Label2[1] = make("STATIC", "Path", 0, 0, 0, 600, 16, ID_LABEL2 + 1);
        form.Drive1 = make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 20, 200, 200, ID_DRIVE1);
        form.Dir1 = make("LISTBOX", "",
                         LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0,
                         50, 200, 400, ID_DIR1);
        form.Label2[3] = make("STATIC", "&Files", 0, 210, 30, 200, 16, ID_LABEL2 + 3);
        form.File1 = make("LISTBOX", "", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 210, 50, 400,
                          400, ID_FILE1);
        form.Combo2 = make("COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL, 0, 460, 300, 200, ID_COMBO2);
        BrowsePage_Init(form);
        shownFiles.clear();
        form.showFile = RecordShownFile;
    }
    void TearDown() override {
        DestroyWindow(form.hwnd);
    }

    // What a user's choice in the drive list sends.
    void ChooseDrive(char letter) {
        int count = ComboBox_GetCount(form.Drive1);
        for (int i = 0; i < count; ++i) {
            if (static_cast<char>(ComboBox_GetItemData(form.Drive1, i)) != letter) continue;
            ComboBox_SetCurSel(form.Drive1, i);
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(ID_DRIVE1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(form.Drive1));
            return;
        }
        ADD_FAILURE() << "no drive " << letter;
    }
    char ChosenDrive() {
        int selected = ComboBox_GetCurSel(form.Drive1);
        return selected < 0 ? '\0' : static_cast<char>(ComboBox_GetItemData(form.Drive1, selected));
    }

    // Mouse clicks on a list item, as the list box itself turns them into notifications.
    void Click(HWND list, int index, bool twice) {
        RECT box = {};
        ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box)), LB_ERR);
        LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        if (twice) {
            SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessageA(list, WM_LBUTTONUP, 0, at);
        }
    }
    void Key(HWND list, int index, WPARAM key) {
        ListBox_SetCurSel(list, index);
        SendMessageA(list, WM_KEYDOWN, key, 0);
    }
    int Dir1Index(const std::string& name) {
        return static_cast<int>(SendMessageA(form.Dir1, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name.c_str())));
    }
    // The open folder's subfolders: the items after the one the list highlights as open.
    std::vector<std::string> Dir1Subfolders() {
        std::vector<std::string> items = ListItems(form.Dir1);
        int open = ListBox_GetCurSel(form.Dir1);
        return std::vector<std::string>(items.begin() + open + 1, items.end());
    }

    void ExpectShowing(const std::string& folder) {
        EXPECT_EQ(form.BrowseFolder, folder);
        EXPECT_EQ(Text(form.hwnd), "Plovnik - " + folder);
        EXPECT_EQ(Text(form.Combo2), folder);
        EXPECT_EQ(Dir1Path(form), folder);
        EXPECT_EQ(Text(form.Label2[1]), folder + form.File1Pattern);
        EXPECT_EQ(Text(form.Label2[3]), std::to_string(ListBox_GetCount(form.File1)) + " &file(s)");
        EXPECT_EQ(ChosenDrive(), folder[0]);
    }

    // Alpha holds two listed files, a hidden one, and the folders Beta and gamma.
    std::string MakeTree() {
        temp.MakeFile("Alpha\\one.txt", "1");
        temp.MakeFile("Alpha\\Two.dat", "22");
        std::string hidden = temp.MakeFile("Alpha\\secret.txt", "3");
        SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
        temp.MakeFolder("Alpha\\gamma");
        temp.MakeFile("Alpha\\Beta\\inner.txt", "4");
        return ShellPath(temp.Path(), 1) + "Alpha\\";
    }

    FrmMain form;
    HWND page = nullptr;
    TempDir temp;
    PromptRecorder prompts;
};

TEST(BrowsePaths, ParentsRootsAndTheNameAtTheEnd) {
    EXPECT_EQ(ParentFolder("C:\\a\\b\\"), "C:\\a\\");
    EXPECT_EQ(ParentFolder("C:\\a\\"), "C:\\");
    EXPECT_EQ(ParentFolder("C:\\"), "");   // a walk up ends at the root
    EXPECT_EQ(WithoutTrailingBackslashes("C:\\a\\\\"), "C:\\a");
    EXPECT_EQ(WithoutTrailingBackslashes("C:\\\\"), "C:\\");
    EXPECT_EQ(SplitFolderAndName("C:\\a\\f.txt").folder, "C:\\a\\");
    EXPECT_EQ(SplitFolderAndName("C:\\f.txt").name, "f.txt");
    EXPECT_EQ(SplitFolderAndName("f.txt").folder, "");
    EXPECT_TRUE(IsDrivePath("d:\\"));
    EXPECT_FALSE(IsDrivePath("C:"));
    EXPECT_FALSE(IsDrivePath("\\\\server\\share\\"));
}

TEST_F(BrowsePage, CommandLineFolderShowsThatFolder) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, temp.Path() + "Alpha");
    ExpectShowing(alpha);
    EXPECT_EQ(form.StartupFileName, "");
    EXPECT_EQ(ListItems(form.File1), (std::vector<std::string>{"one.txt", "Two.dat"}));
    EXPECT_EQ(Text(form.Label2[3]), "2 &file(s)");
    EXPECT_EQ(Dir1Subfolders(), (std::vector<std::string>{"Beta", "gamma"}));
    // The open path from the root down, the open folder highlighted.
    EXPECT_EQ(ListItem(form.Dir1, 0), "C:\\");
    EXPECT_EQ(ListItem(form.Dir1, ListBox_GetCurSel(form.Dir1)), "Alpha");
    EXPECT_EQ(Dir1ItemPath(form, 0), "C:\\");
    EXPECT_EQ(Dir1ItemPath(form, Dir1Index("Beta")), alpha + "Beta\\");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(BrowsePage, CommandLineFileShowsItsFolderAndNamesTheFile) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, temp.Path() + "Alpha\\Two.dat");
    ExpectShowing(alpha);
    EXPECT_EQ(form.StartupFileName, "Two.dat");
}

TEST_F(BrowsePage, CommandLineFileInADrivesRootShowsTheRoot) {
    const std::string file = "C:\\plovnik-browse-root.txt";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);
    ApplyCommandLine(form, "c:\\plovnik-browse-root.txt");
    DeleteFileA(file.c_str());
    ExpectShowing("C:\\");
    EXPECT_EQ(form.StartupFileName, "plovnik-browse-root.txt");
    EXPECT_EQ(ListBox_GetCurSel(form.Dir1), 0);
}

TEST_F(BrowsePage, CommandLineThatIsNoSinglePathIsIgnored) {
    MakeTree();
    std::string folder = temp.Path() + "Alpha";
    const std::string cases[] = {
        "\"" + folder + "\"",                 // quotes are not removed
        folder + " " + folder,                // two paths
        "\"" + folder + "\\one.txt\"",
        folder + "\\one.txt " + folder + "\\Two.dat",
        temp.Path() + "no such folder",
        folder + "\\*.txt",                   // a pattern names no single file
    };
    for (const std::string& commandLine : cases) {
        ApplyCommandLine(form, commandLine);
        EXPECT_EQ(form.BrowseFolder, "") << commandLine;
        EXPECT_EQ(form.StartupFileName, "") << commandLine;
        EXPECT_EQ(ListBox_GetCount(form.Dir1), 0) << commandLine;
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(BrowsePage, ShortAndWronglyCasedFoldersAreShownAsTheShellNamesThem) {
    char shortName[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA("C:\\Program Files", shortName, MAX_PATH), 0u);
    struct Case {
        std::string commandLine;
        std::string shown;
    } cases[] = {
        {LowerText(shortName), "C:\\Program Files\\"},
        {"c:\\WINDOWS\\system32", "C:\\windows\\system32\\"},
        {"c:\\", "C:\\"},
    };
    for (const Case& c : cases) {
        ApplyCommandLine(form, c.commandLine);
        ExpectShowing(c.shown);
    }
}

TEST_F(BrowsePage, StartUpWithoutAPathShowsTheCurrentFolder) {
    std::string alpha = MakeTree();
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA((LowerText(temp.Path()) + "alpha").c_str());
    ApplyCommandLine(form, "");
    EXPECT_EQ(form.BrowseFolder, "");
    Dir1Changed(form);
    SetCurrentDirectoryA(previous);
    ExpectShowing(alpha);
}

TEST_F(BrowsePage, MovingThroughFoldersChangesTheFolderAndCaption) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);

    // A single click only highlights.
    Click(form.Dir1, Dir1Index("Beta"), false);
    EXPECT_EQ(form.BrowseFolder, alpha);
    EXPECT_EQ(ListItem(form.Dir1, ListBox_GetCurSel(form.Dir1)), "Beta");

    Click(form.Dir1, Dir1Index("Beta"), true);
    ExpectShowing(alpha + "Beta\\");
    EXPECT_EQ(ListItems(form.File1), std::vector<std::string>{"inner.txt"});
    EXPECT_TRUE(Dir1Subfolders().empty());

    // Enter on an ancestor goes up to it; Space opens a subfolder.
    Key(form.Dir1, Dir1Index("Alpha"), VK_RETURN);
    ExpectShowing(alpha);
    Key(form.Dir1, Dir1Index("gamma"), VK_SPACE);
    ExpectShowing(alpha + "gamma\\");
    Key(form.Dir1, 0, VK_RETURN);
    ExpectShowing("C:\\");
}

// A folder and a file whose names no single-byte page holds are entered and shown as themselves.
TEST_F(BrowsePage, NonAnsiFoldersAreEnteredAndTheirFilesShown) {
    const std::string folder = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xE6\x96\x87";   // "Папка 文"
    const std::string file = "\xCE\xB1\xF0\x9F\x98\x80.txt";                                // "α😀.txt"
    temp.MakeFile("Alpha\\" + folder + "\\" + file, "x");
    const std::string alpha = ShellPath(temp.Path(), 1) + "Alpha\\";
    ApplyCommandLine(form, alpha);
    ASSERT_GE(Dir1Index(folder), 0);
    Click(form.Dir1, Dir1Index(folder), true);
    ExpectShowing(alpha + folder + "\\");
    ASSERT_EQ(ListItems(form.File1), std::vector<std::string>{file});
    Click(form.File1, 0, false);
    ASSERT_EQ(shownFiles.size(), 1u);
    EXPECT_EQ(shownFiles[0].folder + shownFiles[0].name, alpha + folder + "\\" + file);
}

TEST_F(BrowsePage, AFolderThatVanishedIsDroppedFromTheList) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);
    ASSERT_TRUE(RemoveDirectoryA((alpha + "gamma").c_str()));
    Click(form.Dir1, Dir1Index("gamma"), true);
    ExpectShowing(alpha);
    EXPECT_EQ(Dir1Subfolders(), std::vector<std::string>{"Beta"});
}

TEST_F(BrowsePage, AnUnreadableDriveIsReportedAndTheDriveListReverts) {
    // The prefix maps Q: to a missing folder: its type is "no root folder" and it cannot be listed.
    ASSERT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);
    ChooseDrive('Q');
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Drive Q: is not available.");
    EXPECT_EQ(prompts.shown[0].title, "Plovnik");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ChosenDrive(), 'C');
    ExpectShowing(alpha);

    // A readable drive opens the folder the platform keeps for it: made its root here, whatever
    // folder the test was started from.
    char started[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, started);
    SetCurrentDirectoryA("C:\\");
    ChooseDrive('C');
    SetCurrentDirectoryA(started);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(form.BrowseFolder, "C:\\");
}

TEST_F(BrowsePage, LookInListHoldsComputerDrivesAndSystemFolders) {
    std::string windows = WindowsFolder();
    // A remembered text equal to an entry in another case is not added again...
    SetWindowTextA(form.Combo2, UpperText(windows).c_str());
    FillLookInList(form);
    std::vector<std::string> drives;
    std::string roots;
    DriveList(drives, roots);
    ASSERT_EQ(ComboBox_GetCount(form.Combo2), static_cast<int>(drives.size()) + 3);
    EXPECT_EQ(ComboItem(form.Combo2, 0), MyComputerName());
    EXPECT_EQ(ComboBox_GetItemData(form.Combo2, 0), 1);
    for (size_t i = 0; i < drives.size(); ++i) {
        int index = static_cast<int>(i) + 1;
        EXPECT_EQ(ComboItem(form.Combo2, index), drives[i]);
        EXPECT_EQ(ComboBox_GetItemData(form.Combo2, index), 2);
    }
    int windowsIndex = static_cast<int>(drives.size()) + 1;
    EXPECT_EQ(ComboItem(form.Combo2, windowsIndex), windows);
    EXPECT_EQ(ComboItem(form.Combo2, windowsIndex + 1), SystemFolder());
    EXPECT_EQ(ComboBox_GetItemData(form.Combo2, windowsIndex), 0);
    EXPECT_EQ(ComboBox_GetItemData(form.Combo2, windowsIndex + 1), 0);
    EXPECT_EQ(Text(form.Combo2), UpperText(windows));
    EXPECT_EQ(form.DriveRoots, roots);

    // ...one that is not there is, as a folder entry.
    ComboBox_ResetContent(form.Combo2);
    SetWindowTextA(form.Combo2, "C:\\Somewhere Else\\");
    FillLookInList(form);
    int last = ComboBox_GetCount(form.Combo2) - 1;
    EXPECT_EQ(last, static_cast<int>(drives.size()) + 3);
    EXPECT_EQ(ComboItem(form.Combo2, last), "C:\\Somewhere Else\\");
    EXPECT_EQ(ComboBox_GetItemData(form.Combo2, last), 0);
}

TEST_F(BrowsePage, FilePatternFiltersTheFileList) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);
    struct Case {
        std::string pattern;
        std::vector<std::string> files;
    } cases[] = {
        {"*.txt", {"one.txt"}},
        {"*.TXT; *.dat", {"one.txt", "Two.dat"}},
        {"*.t*;*.txt", {"one.txt"}},  // listed once though two patterns match
        {"*.exe", {}},
        {"*.*", {"one.txt", "Two.dat"}},
        {"..\\*.*", {"one.txt", "Two.dat"}},  // a pattern reaching into another folder is not followed
    };
    for (const Case& c : cases) {
        SetFile1Pattern(form, c.pattern);
        EXPECT_EQ(ListItems(form.File1), c.files) << c.pattern;
        EXPECT_EQ(Text(form.Label2[1]), alpha + c.pattern);
        EXPECT_EQ(Text(form.Label2[3]), std::to_string(c.files.size()) + " &file(s)");
    }
    // The pattern stays for the next folder.
    SetFile1Pattern(form, "*.txt");
    Click(form.Dir1, Dir1Index("Beta"), true);
    EXPECT_EQ(Text(form.Label2[1]), alpha + "Beta\\*.txt");
}

TEST_F(BrowsePage, PickingFilesShowsThemRefreshesAndCopies) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);
    Click(form.File1, 1, false);
    ASSERT_EQ(shownFiles.size(), 1u);
    EXPECT_EQ(shownFiles[0].folder, alpha);
    EXPECT_EQ(shownFiles[0].name, "Two.dat");

    // Double click: the path goes to the clipboard.
    Click(form.File1, 0, true);
    ASSERT_TRUE(OpenClipboard(form.hwnd));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, alpha + "one.txt");

    // A file that went away: the list is refreshed instead of showing anything.
    shownFiles.clear();
    ASSERT_TRUE(DeleteFileA((alpha + "one.txt").c_str()));
    Click(form.File1, 0, false);
    EXPECT_TRUE(shownFiles.empty());
    EXPECT_EQ(ListItems(form.File1), std::vector<std::string>{"Two.dat"});
    EXPECT_EQ(Text(form.Label2[3]), "1 &file(s)");
}

TEST_F(BrowsePage, FolderExistsReportsAMissingFolder) {
    EXPECT_TRUE(FolderExists(form, temp.Path(), true));
    EXPECT_FALSE(FolderExists(form, "Q:\\", false));
    EXPECT_TRUE(prompts.shown.empty());
    std::string missing = temp.Path() + "gone";
    EXPECT_FALSE(FolderExists(form, missing, true));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The folder '" + missing + "' does not exist.");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

// Draws Dir1's item index into a bitmap as the list would ask for it; the colour at the right end.
COLORREF DrawnBackground(FrmMain& form, int index, UINT state) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = ID_DIR1;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = form.Dir1;
    item.hDC = dc;
    item.rcItem = {0, 0, 200, 20};
    item.itemData = static_cast<ULONG_PTR>(ListBox_GetItemData(form.Dir1, index));
    EXPECT_TRUE(BrowsePage_OnDrawItem(form, item));
    COLORREF colour = GetPixel(dc, 198, 10);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

TEST_F(BrowsePage, FolderListDrawsItemsAndTheHighlight) {
    std::string alpha = MakeTree();
    ApplyCommandLine(form, alpha);
    HDC screen = GetDC(nullptr);
    COLORREF window = GetNearestColor(screen, GetSysColor(COLOR_WINDOW));
    COLORREF highlight = GetNearestColor(screen, GetSysColor(COLOR_HIGHLIGHT));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(DrawnBackground(form, 0, 0), window);
    EXPECT_EQ(DrawnBackground(form, Dir1Index("Beta"), ODS_SELECTED), highlight);
    EXPECT_EQ(DrawnBackground(form, ListBox_GetCurSel(form.Dir1), ODS_SELECTED | ODS_FOCUS), highlight);
}

}  // namespace
