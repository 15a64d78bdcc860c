// The General page on the real main window: showing one file, editing its attributes, its
// icons, and the file info report.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "fileinfo/attributes.h"
#include "fileinfo/file_info.h"
#include "fileinfo/file_info_report.h"
#include "fileinfo/text_formats.h"
#include "support/clipboard.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

namespace {

const COLORREF IconBackground = RGB(192, 192, 192);

std::string SystemFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

// The test program itself: built with the program's resources, so it carries one icon and a
// version resource with strings. (Wine's own libraries mark their StringFileInfo record with
// type 0 where the resource compiler writes 1, and the reader's search goes by that 1.)
std::string OwnProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

void Show(FrmMain& form, const std::string& path) {
    GetAllFileInfo(form, FolderOf(path), NameOf(path));
    PumpMessages();
}

void Command(FrmMain& form, int id, int code = 0) {
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(id, code), 0);
    PumpMessages();
}

// The style bit rather than IsWindowVisible: a control on a page behind another is still "shown".
bool Shown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

bool MenuEnabled(HMENU menu, int id) {
    UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string MenuText(HMENU menu, int id) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
    return text;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

void Click(HWND box) {
    SendMessageA(box, BM_CLICK, 0, 0);
    PumpMessages();
}

std::vector<std::string> PageTexts(FrmMain& form) {
    std::vector<std::string> texts;
    for (HWND value : form.lblValue) texts.push_back(GetText(value));
    texts.push_back(GetText(form.hwnd));
    texts.push_back(GetText(form.labIcon));
    return texts;
}

void EmptyTheClipboard(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    CloseClipboard();
}

bool ClipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != 0; }

std::string ValueLine(const std::string& caption, const std::string& value) { return " " + caption + " \t" + value; }

// The 32x32 pixels of a bitmap as 0x00RRGGBB values.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int size = 32) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

std::vector<uint32_t> PicturePixels(HWND picture) {
    HBITMAP bitmap = PictureCopyBitmap(picture);
    if (!bitmap) return {};
    std::vector<uint32_t> pixels = Pixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

// What DrawIcon makes of stored icon index on the pictures' grey.
std::vector<uint32_t> ExpectedIconPixels(const std::string& path, int index) {
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(index));
    if (!icon) return {};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    HBRUSH grey = CreateSolidBrush(IconBackground);
    FillRect(dc, &all, grey);
    DeleteObject(grey);
    DrawIcon(dc, 0, 0, icon);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    std::vector<uint32_t> pixels = Pixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

bool AllBackground(const std::vector<uint32_t>& pixels) {
    if (pixels.empty()) return false;
    for (uint32_t p : pixels)
        if (p != ((GetRValue(IconBackground) << 16) | (GetGValue(IconBackground) << 8) | GetBValue(IconBackground)))
            return false;
    return true;
}

FILETIME AccessTime(const std::string& path) {
    WIN32_FIND_DATAA record = {};
    HANDLE find = FindFirstFileA(path.c_str(), &record);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return record.ftLastAccessTime;
}

} // namespace

// ---------------------------------------------------------------- showing one file

TEST(GeneralPage, DosNameIsTheShortNameOrTheLongNameInUpperCase) {
    TempDir dir;
    const std::string readme = dir.MakeFile("readme.txt", "hello");
    const std::string longName = dir.MakeFile("A rather long file name.text", "hello");
    MainWindow w;

    Show(*w, readme);
    EXPECT_EQ(GetText(w->lblValue[15]), "readme.txt");
    EXPECT_EQ(GetText(w->lblValue[3]), "README.TXT");

    Show(*w, longName);
    EXPECT_EQ(GetText(w->lblValue[15]), "A rather long file name.text");
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(longName.c_str(), shortPath, MAX_PATH), 0u);
    const std::string dosName = GetText(w->lblValue[3]);
    EXPECT_EQ(dosName, NameOf(shortPath));
    EXPECT_NE(dosName.find('~'), std::string::npos) << dosName;
    EXPECT_LE(dosName.size(), 12u) << dosName;
}

TEST(GeneralPage, FolderHidesTheSizeCaptionAndAFileBringsItBack) {
    TempDir dir;
    const std::string folder = dir.MakeFolder("sub");
    const std::string file = dir.MakeFile("data.bin", std::string(1234, 'x'));
    MainWindow w;

    GetAllFileInfo(*w, dir.Path(), "sub");
    EXPECT_EQ(GetText(w->lblValue[15]), "sub");
    EXPECT_EQ(GetText(w->lblValue[2]), "");
    EXPECT_FALSE(Shown(w->labKey[2]));
    EXPECT_EQ(GetCheckValue(w->chkAttr[4]), 1);

    Show(*w, file);
    EXPECT_TRUE(Shown(w->labKey[2]));
    EXPECT_EQ(GetText(w->lblValue[2]), SizeText(1234));
    EXPECT_EQ(GetCheckValue(w->chkAttr[4]), 0);
    EXPECT_EQ(GetText(w->lblValue[1]), dir.Path());
}

TEST(GeneralPage, TimesAndTypeTexts) {
    TempDir dir;
    const std::string file = dir.MakeFile("odd.zq9", "x");
    MainWindow w;
    Show(*w, file);

    // Accessed carries the date only.
    const std::string accessed = GetText(w->lblValue[6]);
    EXPECT_EQ(accessed, FileTimeToText(AccessTime(file), "Long Date", ""));
    EXPECT_EQ(accessed.find(':'), std::string::npos) << accessed;
    EXPECT_NE(GetText(w->lblValue[4]).find(':'), std::string::npos);
    EXPECT_NE(GetText(w->lblValue[5]).find(':'), std::string::npos);

    // The type is the shell's, or a placeholder when the shell has none; never empty. (Wine
    // names an unregistered extension itself: "zq9 file".)
    std::string display, type;
    GetShellNames(file, display, type);
    const std::string shown = GetText(w->lblValue[0]);
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown, type.empty() ? "(unknown)" : type);
}

namespace {

// Sets the Explorer option that hides known extensions for the scope, and puts it back.
class HiddenExtensions {
public:
    HiddenExtensions() {
        RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        DWORD size = sizeof old_;
        had_ = key_ && RegQueryValueExA(key_, "HideFileExt", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
        const DWORD on = 1;
        if (key_) RegSetValueExA(key_, "HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    }
    ~HiddenExtensions() {
        if (!key_) return;
        if (had_) RegSetValueExA(key_, "HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else RegDeleteValueA(key_, "HideFileExt");
        RegCloseKey(key_);
    }
    HiddenExtensions(const HiddenExtensions&) = delete;
    HiddenExtensions& operator=(const HiddenExtensions&) = delete;

private:
    static constexpr const char* Key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

} // namespace

TEST(GeneralPage, ADisplayNameWithoutItsExtensionGivesWayToTheFoundName) {
    TempDir dir;
    const std::string file = dir.MakeFile("Shown.txt", "x");
    HiddenExtensions hidden;
    std::string display, type;
    GetShellNames(file, display, type);
    if (display == "Shown.txt") GTEST_SKIP() << "the shell shows the extension anyway";
    EXPECT_EQ(display, "Shown");
    MainWindow w;
    Show(*w, file);
    EXPECT_EQ(GetText(w->lblValue[15]), "Shown.txt");
    EXPECT_EQ(w->current.CurrentPath, file);
    EXPECT_EQ(GetText(w->hwnd), "Plovnik - " + file);
}

TEST(GeneralPage, EmptyNameChangesNothing) {
    TempDir dir;
    const std::string file = dir.MakeFile("keep.txt", "x");
    MainWindow w;
    const std::vector<std::string> before = PageTexts(*w);
    GetAllFileInfo(*w, dir.Path(), "");
    EXPECT_EQ(PageTexts(*w), before);
    EXPECT_TRUE(w->current.CurrentPath.empty());
    EXPECT_FALSE(MenuEnabled(w->menOptTop, ID_MENOPT));

    Show(*w, file);
    const std::vector<std::string> shown = PageTexts(*w);
    GetAllFileInfo(*w, "C:\\", "");
    EXPECT_EQ(PageTexts(*w), shown);
    EXPECT_EQ(w->current.CurrentPath, file);
}

TEST(GeneralPage, RejectedPathsSayInvalidFileAndShowNothingOfThePreviousFile) {
    TempDir dir;
    dir.MakeFile("other.txt", "y");
    MainWindow w;
    Show(*w, OwnProgram());
    ASSERT_FALSE(GetText(w->lblValue[4]).empty());

    for (const std::string name : {"missing.txt", "*.txt", "oth?r.txt"}) {
        SCOPED_TRACE(name);
        PromptRecorder prompts;
        GetAllFileInfo(*w, dir.Path(), name);
        PumpMessages();
        ASSERT_EQ(prompts.shown.size(), 1u) << "one message, not a second one from the size query";
        EXPECT_EQ(prompts.shown[0].text, "Invalid file");
        EXPECT_EQ(prompts.shown[0].title, "Plovnik: FindData");
        EXPECT_TRUE(prompts.shown[0].flags & MB_ICONERROR);
        EXPECT_EQ(GetText(w->lblValue[15]), name);
        for (int i : {3, 4, 5, 6}) EXPECT_EQ(GetText(w->lblValue[i]), "") << i;
        EXPECT_EQ(w->current.CurrentPath, dir.Path() + name);
        EXPECT_EQ(w->current.texts.Name, name);
        EXPECT_EQ(GetText(w->lblValue[2]), "");
        // Nor the previous file's attributes, stored icon or version data.
        for (HWND box : w->chkAttr) EXPECT_EQ(GetCheckValue(box), 0);
        EXPECT_FALSE(IsWindowEnabled(w->cbxIcon));
        EXPECT_FALSE(IsWindowVisible(w->Image4));
        EXPECT_EQ(GetText(w->lblValue[7]), "(no StringFileInfo resource)");
    }
}

TEST(GeneralPage, CaptionMenusAndCreatedLike) {
    TempDir dir;
    const std::string file = dir.MakeFile("Mixed Case.txt", "x");
    MainWindow w;
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(MenuEnabled(w->menOptTop, ID_MENOPT + i)) << i;
    EXPECT_FALSE(MenuEnabled(w->menOptDateTop, ID_MENOPTAROUND));
    EXPECT_EQ(MenuText(w->menOptDateTop, ID_MENOPTAROUND), "&Created like (file)");

    Show(*w, file);
    EXPECT_EQ(w->current.CurrentPath, file);
    EXPECT_EQ(GetText(w->hwnd), "Plovnik - " + file);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(MenuEnabled(w->menOptTop, ID_MENOPT + i)) << i;
    EXPECT_TRUE(MenuEnabled(w->menOptDateTop, ID_MENOPTAROUND));
    EXPECT_EQ(MenuText(w->menOptDateTop, ID_MENOPTAROUND), "&Created like MIXED CASE.TXT");

    // Upper case of the whole alphabet, not just A to Z: "ü" is two bytes in UTF-8.
    const std::string accented = dir.MakeFile("\xC3\xBC" "ber.txt", "x");
    Show(*w, accented);
    EXPECT_EQ(MenuText(w->menOptDateTop, ID_MENOPTAROUND), "&Created like \xC3\x9C" "BER.TXT");

    // A path the find call rejects has no creation time: the item keeps the last file's name.
    PromptRecorder prompts;
    GetAllFileInfo(*w, dir.Path(), "gone.txt");
    EXPECT_EQ(MenuText(w->menOptDateTop, ID_MENOPTAROUND), "&Created like \xC3\x9C" "BER.TXT");
    EXPECT_TRUE(MenuEnabled(w->menOptTop, ID_MENOPT));
}

// ---------------------------------------------------------------- attribute editing

TEST(Attributes, TickingReadOnlyThenApplyWritesIt) {
    TempDir dir;
    const std::string file = dir.MakeFile("plain.txt", "x");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    MainWindow w;
    Show(*w, file);
    EXPECT_FALSE(Shown(w->Image2));
    ASSERT_EQ(GetCheckValue(w->chkAttr[0]), 0);

    Click(w->chkAttr[0]);
    EXPECT_EQ(GetCheckValue(w->chkAttr[0]), 1);
    EXPECT_EQ(w->current.PendingAttributes & 1, 1);
    EXPECT_EQ(w->current.CurrentAttributes & 1, 0);
    EXPECT_TRUE(Shown(w->Image2));   // the click focused the box
    EXPECT_EQ(Attributes(file) & FILE_ATTRIBUTE_READONLY, 0u);

    PromptRecorder prompts;
    Command(*w, ID_MENAPPLY);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_NE(Attributes(file) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(w->current.CurrentAttributes & 1, 1);
    EXPECT_FALSE(Shown(w->Image2));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Attributes, TickAndUntickLeavesPendingEqualAndApplyStillWrites) {
    TempDir dir;
    const std::string file = dir.MakeFile("twice.txt", "x");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    MainWindow w;
    Show(*w, file);
    const int16_t current = w->current.CurrentAttributes;
    Click(w->chkAttr[1]);
    EXPECT_NE(w->current.PendingAttributes, current);
    Click(w->chkAttr[1]);
    EXPECT_EQ(w->current.PendingAttributes, current);

    // Behind the program's back the file becomes hidden; Apply writes what the boxes show.
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    PromptRecorder prompts;
    Command(*w, ID_MENAPPLY);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Attributes(file) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
    EXPECT_NE(Attributes(file) & FILE_ATTRIBUTE_ARCHIVE, 0u);
    EXPECT_EQ(w->current.CurrentAttributes, current);
}

TEST(Attributes, IndicatorOnlyWithACurrentFile) {
    MainWindow w;
    ASSERT_TRUE(w->current.CurrentPath.empty());
    Click(w->chkAttr[0]);
    EXPECT_EQ(GetCheckValue(w->chkAttr[0]), 1);
    EXPECT_EQ(w->current.PendingAttributes & 1, 1);
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CHKATTR + 1, BN_SETFOCUS), reinterpret_cast<LPARAM>(w->chkAttr[1]));
    EXPECT_FALSE(Shown(w->Image2));

    TempDir dir;
    const std::string file = dir.MakeFile("focus.txt", "x");
    Show(*w, file);
    // Filling the boxes for the new file is no edit.
    EXPECT_EQ(w->current.PendingAttributes, w->current.CurrentAttributes);
    EXPECT_EQ(GetCheckValue(w->chkAttr[0]), 0);
    EXPECT_FALSE(Shown(w->Image2));
    SetFocus(w->chkAttr[2]);
    PumpMessages();
    EXPECT_TRUE(Shown(w->Image2));

    // A new file hides the indicator again.
    Show(*w, file);
    EXPECT_FALSE(Shown(w->Image2));
}

TEST(Attributes, ApplyOnAFolderKeepsItAFolder) {
    TempDir dir;
    const std::string folder = dir.MakeFolder("keep");
    MainWindow w;
    GetAllFileInfo(*w, dir.Path(), "keep");
    ASSERT_EQ(GetCheckValue(w->chkAttr[4]), 1);
    Click(w->chkAttr[1]);
    EXPECT_NE(w->current.PendingAttributes & FILE_ATTRIBUTE_DIRECTORY, 0);

    PromptRecorder prompts;
    Command(*w, ID_MENAPPLY);
    EXPECT_TRUE(prompts.shown.empty());
    const DWORD now = Attributes(folder);
    EXPECT_NE(now & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(now & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(GetCheckValue(w->chkAttr[4]), 1);
    // What is current is still a folder: the report lists it as one.
    EXPECT_NE(w->current.CurrentAttributes & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_NE(w->current.CurrentAttributes & FILE_ATTRIBUTE_HIDDEN, 0);
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Attributes, ApplyOnAVanishedFileSaysSoAndWritesNothing) {
    TempDir dir;
    const std::string file = dir.MakeFile("vanish.txt", "x");
    MainWindow w;
    Show(*w, file);
    Click(w->chkAttr[0]);
    ASSERT_TRUE(Shown(w->Image2));
    const int16_t current = w->current.CurrentAttributes;
    ASSERT_TRUE(DeleteFileA(file.c_str()));

    PromptRecorder prompts;
    Command(*w, ID_MENAPPLY);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The file '" + file + "' does not exist.");
    EXPECT_EQ(prompts.shown[0].title, "Plovnik");
    EXPECT_EQ(w->current.CurrentAttributes, current);
    EXPECT_FALSE(Shown(w->Image2));
    EXPECT_EQ(Attributes(file), INVALID_FILE_ATTRIBUTES);
}

// Under Wine as root nearly every attribute write succeeds; the files of a process's /proc
// folder refuse any change of mode, even to root, so the write fails there.
TEST(Attributes, FailedApplySaysCantApplyAndKeepsTheEditPending) {
    const std::string folder = "Z:\\proc\\self\\";
    if (GetFileAttributesA((folder + "status").c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no /proc";
    MainWindow w;
    {
        PromptRecorder prompts;
        GetAllFileInfo(*w, folder, "status");
        PumpMessages();
        EXPECT_TRUE(prompts.shown.empty()) << prompts.shown[0].text;
    }
    ASSERT_EQ(w->current.CurrentPath, folder + "status");
    const int16_t current = w->current.CurrentAttributes;
    Click(w->chkAttr[1]);
    ASSERT_TRUE(Shown(w->Image2));

    PromptRecorder prompts;
    Command(*w, ID_MENAPPLY);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Can't apply.");
    EXPECT_TRUE(prompts.shown[0].flags & MB_ICONERROR);
    EXPECT_EQ(w->current.CurrentAttributes, current);
    EXPECT_NE(w->current.PendingAttributes, current);
    EXPECT_TRUE(Shown(w->Image2));
}

TEST(Attributes, PendingAndWrittenBits) {
    struct Case {
        int16_t current;
        std::array<bool, 5> checked;
        int16_t pending;
        uint32_t written;
    };
    const Case cases[] = {
        {0x00, {false, false, false, false, false}, 0x00, FILE_ATTRIBUTE_NORMAL},
        {0x20, {true, false, true, false, false}, 0x21, 0x21},
        {0x27, {false, false, false, false, false}, 0x00, FILE_ATTRIBUTE_NORMAL},
        // Bits outside the five boxes are carried over.
        {0x2080, {false, true, false, false, false}, 0x2082, 0x2082},
        // The directory bit is shown but never written.
        {0x10, {false, true, false, false, true}, 0x12, 0x02},
        {0x10, {false, false, false, false, true}, 0x10, FILE_ATTRIBUTE_NORMAL},
        // A negative 16-bit value keeps its high bits.
        {static_cast<int16_t>(0x8001), {false, false, false, false, false}, static_cast<int16_t>(0x8000), 0x8000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        int16_t pending = PendingFromBoxes(c.current, c.checked);
        EXPECT_EQ(pending, c.pending);
        EXPECT_EQ(AttributesToWrite(pending), c.written);
    }
}

// ---------------------------------------------------------------- icons

TEST(Icons, ALibraryWithManyIconsOffersEachOne) {
    const std::string library = SystemFile("shell32.dll");
    const UINT count = static_cast<UINT>(reinterpret_cast<INT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), library.c_str(), static_cast<UINT>(-1))));
    ASSERT_GT(count, 1u);
    MainWindow w;
    Show(*w, library);

    EXPECT_EQ(GetText(w->labIcon), "[" + std::to_string(count) + "]");
    EXPECT_TRUE(IsWindowEnabled(w->cbxIcon));
    ASSERT_EQ(ComboBox_GetCount(w->cbxIcon), static_cast<int>(count));
    EXPECT_EQ(GetListText(w->cbxIcon, 0, true), "1");
    EXPECT_EQ(GetListText(w->cbxIcon, static_cast<int>(count) - 1, true), std::to_string(count));
    EXPECT_EQ(ComboBox_GetCurSel(w->cbxIcon), 0);
    const std::vector<uint32_t> first = PicturePixels(w->picIcon[2]);
    EXPECT_EQ(first, ExpectedIconPixels(library, 0));
    EXPECT_FALSE(AllBackground(first));

    for (int entry : {static_cast<int>(count), 2}) {
        SCOPED_TRACE(entry);
        ComboBox_SetCurSel(w->cbxIcon, entry - 1);
        Command(*w, ID_CBXICON, CBN_SELCHANGE);
        const std::vector<uint32_t> drawn = PicturePixels(w->picIcon[2]);
        EXPECT_EQ(drawn, ExpectedIconPixels(library, entry - 1));
        EXPECT_NE(drawn, first);
    }
}

TEST(Icons, AProgramWithOneIcon) {
    const std::string program = OwnProgram();
    ASSERT_EQ(reinterpret_cast<INT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), program.c_str(), static_cast<UINT>(-1))), 1);
    MainWindow w;
    Show(*w, SystemFile("shell32.dll"));
    Show(*w, program);
    EXPECT_EQ(GetText(w->labIcon), "");
    EXPECT_FALSE(IsWindowEnabled(w->cbxIcon));
    const std::vector<uint32_t> drawn = PicturePixels(w->picIcon[2]);
    EXPECT_FALSE(AllBackground(drawn));
    EXPECT_EQ(drawn, ExpectedIconPixels(program, 0));
}

TEST(Icons, ATextFileHasNoStoredIcon) {
    TempDir dir;
    const std::string text = dir.MakeFile("notes.txt", "plain");
    MainWindow w;
    Show(*w, SystemFile("shell32.dll"));
    ASSERT_TRUE(IsWindowEnabled(w->cbxIcon));

    Show(*w, text);
    EXPECT_EQ(GetText(w->labIcon), "");
    EXPECT_FALSE(IsWindowEnabled(w->cbxIcon));
    EXPECT_TRUE(AllBackground(PicturePixels(w->picIcon[2])));
    // The shell still has an icon for its type.
    EXPECT_FALSE(AllBackground(PicturePixels(w->picIcon[0])));
}

TEST(Icons, BeforeAnyFileTheLargeBoxHoldsTheProgramsIcon) {
    MainWindow w;
    ASSERT_TRUE(w->current.CurrentPath.empty());
    EmptyTheClipboard(w->hwnd);
    Command(*w, ID_PICICON + 0, PN_DBLCLK);
    ASSERT_TRUE(ClipboardHasBitmap());
    ASSERT_TRUE(OpenClipboard(w->hwnd));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    const std::vector<uint32_t> large = bitmap ? Pixels(bitmap) : std::vector<uint32_t>{};
    CloseClipboard();
    EXPECT_FALSE(large.empty());
    EXPECT_FALSE(AllBackground(large));

    EmptyTheClipboard(w->hwnd);
    Command(*w, ID_PICICON + 1, PN_DBLCLK);
    ASSERT_TRUE(ClipboardHasBitmap());
    ASSERT_TRUE(OpenClipboard(w->hwnd));
    bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    const std::vector<uint32_t> small = bitmap ? Pixels(bitmap, 16) : std::vector<uint32_t>{};
    CloseClipboard();
    EXPECT_TRUE(AllBackground(small));
}

TEST(Icons, CopiesReachTheClipboardAsBitmaps) {
    MainWindow w;
    Show(*w, SystemFile("shell32.dll"));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EmptyTheClipboard(w->hwnd);
        ASSERT_FALSE(ClipboardHasBitmap());
        Command(*w, ID_PICICON + i, PN_DBLCLK);
        EXPECT_TRUE(ClipboardHasBitmap());
    }
    for (int item : {1, 2}) {
        SCOPED_TRACE(item);
        EmptyTheClipboard(w->hwnd);
        Command(*w, ID_MENOPT + item);
        EXPECT_TRUE(ClipboardHasBitmap());
    }
    // The large copy is the large picture's image.
    EmptyTheClipboard(w->hwnd);
    Command(*w, ID_MENOPT + 1);
    ASSERT_TRUE(OpenClipboard(w->hwnd));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    std::vector<uint32_t> copied = bitmap ? Pixels(bitmap) : std::vector<uint32_t>{};
    CloseClipboard();
    EXPECT_EQ(copied, PicturePixels(w->picIcon[0]));
}

// ---------------------------------------------------------------- the file info report

namespace {

const char* const GeneralCaptions[] = {"Type:", "Location:", "Size:", "DOS name:", "Created:", "Modified:", "Accessed:"};
const char* const FixedCaptions[] = {"Type:", "File version:", "Prod. version:", "File flags:", "Target OS:"};

std::vector<std::string> CopyReport(FrmMain& form) {
    EmptyTheClipboard(form.hwnd);
    Command(form, ID_MENOPT + 0);
    std::string text = ClipboardText(form.hwnd);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.substr(text.size() < 2 ? 0 : text.size() - 2), "\r\n");
    return Lines(text);
}

// The header, the name and the seven General lines, against the page.
void ExpectGeneralPart(FrmMain& form, const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[0], "- General File Info:");
    EXPECT_EQ(lines[1], ValueLine("Name:", GetText(form.lblValue[15])));
    for (int i = 0; i < 7; ++i) EXPECT_EQ(lines[2 + i], ValueLine(GeneralCaptions[i], GetText(form.lblValue[i]))) << i;
}

} // namespace

TEST(Report, LibrariesAndProgramsWithVersionResources) {
  for (const std::string& library : {SystemFile("shell32.dll"), OwnProgram()}) {
    SCOPED_TRACE(library);
    MainWindow w;
    Show(*w, library);
    const std::vector<std::string> lines = CopyReport(*w);
    ExpectGeneralPart(*w, lines);
    EXPECT_EQ(lines[1], ValueLine("Name:", NameOf(library)));
    EXPECT_EQ(lines[3], ValueLine("Location:", FolderOf(library)));

    std::string tags;
    const DWORD attributes = Attributes(library);
    for (size_t i = 0; i < AttrMasks.size(); ++i)
        if (attributes & static_cast<DWORD>(AttrMasks[i])) tags += std::string(AttrTags[i]) + ". ";
    EXPECT_EQ(lines[9], ValueLine("Attributes:", tags));

    const int entries = ListBox_GetCount(w->lstInfo);
    ASSERT_GT(entries, 0);
    ASSERT_EQ(lines.size(), 10u + 2 + 3 + static_cast<size_t>(entries) + 2 + 5);
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "- Version Resource StringFileInfo:");
    EXPECT_EQ(lines[12], ValueLine("File version:", GetText(w->lblValue[7])));
    EXPECT_EQ(lines[13], ValueLine("Description:", GetText(w->lblValue[8])));
    EXPECT_EQ(lines[14], ValueLine("Copyright:", GetText(w->lblValue[9])));
    if (library == OwnProgram()) {
        EXPECT_EQ(lines[12].rfind(" File version: \t1.", 0), 0u) << lines[12];
        EXPECT_EQ(lines[13], " Description: \tPlovnik - find files and see all about them");
        EXPECT_EQ(lines[14], " Copyright: \tCopyright (C) 2026 The Plovnik developers");
        EXPECT_NE(std::find(lines.begin(), lines.end(), " Company Name: \tThe Plovnik developers"), lines.end());
    }
    // Each entry with the value the page shows when it is chosen.
    for (int i = 0; i < entries; ++i) {
        ListBox_SetCurSel(w->lstInfo, i);
        Command(*w, ID_LSTINFO, LBN_SELCHANGE);
        EXPECT_EQ(lines[15 + i], ValueLine(GetListText(w->lstInfo, i) + ":", GetText(w->txtInfoVal))) << i;
    }
    const size_t fixed = 15 + static_cast<size_t>(entries);
    EXPECT_EQ(lines[fixed], "");
    EXPECT_EQ(lines[fixed + 1], "- Version Resource FixedFileInfo:");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(lines[fixed + 2 + i], ValueLine(FixedCaptions[i], GetText(w->lblValue[10 + i]))) << i;
  }
}

TEST(Report, ATextFileEndsWithNoVersionResource) {
    TempDir dir;
    const std::string file = dir.MakeFile("report.txt", "abc");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    MainWindow w;
    Show(*w, SystemFile("shell32.dll"));   // a previous file with version strings
    Show(*w, file);
    const std::vector<std::string> lines = CopyReport(*w);
    ExpectGeneralPart(*w, lines);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[2], ValueLine("Type:", GetText(w->lblValue[0])));
    EXPECT_EQ(lines[4], ValueLine("Size:", SizeText(3)));
    EXPECT_EQ(lines[5], ValueLine("DOS name:", "REPORT.TXT"));
    EXPECT_EQ(lines[9], ValueLine("Attributes:", "Read-only. Archive. "));
    EXPECT_EQ(lines[10], " File version: \t(no version resource)");

    // An edit not yet applied is not in the report.
    Click(w->chkAttr[1]);
    EXPECT_EQ(CopyReport(*w)[9], ValueLine("Attributes:", "Read-only. Archive. "));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Report, AFolderHasNoSizeAndIsTaggedFolder) {
    TempDir dir;
    dir.MakeFolder("tree");
    MainWindow w;
    GetAllFileInfo(*w, dir.Path(), "tree");
    const std::vector<std::string> lines = CopyReport(*w);
    ExpectGeneralPart(*w, lines);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[4], " Size: \t");
    EXPECT_EQ(lines[9].rfind(" Attributes: \t", 0), 0u);
    EXPECT_NE(lines[9].find("Folder. "), std::string::npos) << lines[9];
}

TEST(Report, BuiltFromValues) {
    FileInfoReportInput in;
    in.name = "a.dll";
    const char* captions[15] = {"Type:", "Location:", "Size:", "DOS name:", "Created:", "Modified:", "Accessed:",
                                "File version:", "Description:", "Copyright:", "Type:", "File version:",
                                "Prod. version:", "File flags:", "Target OS:"};
    for (int i = 0; i < 15; ++i) {
        in.captions[i] = captions[i];
        in.values[i] = std::to_string(i);
        in.values[i].insert(0, 1, 'v');
    }
    in.attributesCaption = "Attributes:";

    // No attribute bits, no version: the attributes line ends with its tab.
    {
        std::vector<std::string> lines = Lines(BuildFileInfoReport(in));
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_EQ(lines[9], " Attributes: \t");
        EXPECT_EQ(lines[10], " File version: \t(no version resource)");
    }
    // Only the three standard strings: the two headers with just those lines between.
    in.hasVersion = true;
    in.attributeTags = {"Hidden", "System"};
    {
        const std::string expected =
            "- General File Info:\r\n Name: \ta.dll\r\n Type: \tv0\r\n Location: \tv1\r\n Size: \tv2\r\n"
            " DOS name: \tv3\r\n Created: \tv4\r\n Modified: \tv5\r\n Accessed: \tv6\r\n"
            " Attributes: \tHidden. System. \r\n\r\n- Version Resource StringFileInfo:\r\n"
            " File version: \tv7\r\n Description: \tv8\r\n Copyright: \tv9\r\n\r\n"
            "- Version Resource FixedFileInfo:\r\n Type: \tv10\r\n File version: \tv11\r\n"
            " Prod. version: \tv12\r\n File flags: \tv13\r\n Target OS: \tv14";
        EXPECT_EQ(BuildFileInfoReport(in), expected);
    }
    // Further strings come between, in list order, with empty values kept.
    in.entries = {{"Company Name", "Acme"}, {"Comments", ""}};
    {
        std::vector<std::string> lines = Lines(BuildFileInfoReport(in));
        ASSERT_EQ(lines.size(), 24u);
        EXPECT_EQ(lines[15], " Company Name: \tAcme");
        EXPECT_EQ(lines[16], " Comments: \t");
        EXPECT_EQ(lines[17], "");
    }
}

// ---------------------------------------------------------------- start-up

TEST(StartUpWithAFile, LibraryOrProgramFillsGeneralAndVersion) {
    for (const std::string& path : {SystemFile("shell32.dll"), OwnProgram()}) {
        SCOPED_TRACE(path);
        PromptRecorder prompts;
        MainWindow w(path);
        EXPECT_TRUE(prompts.shown.empty());
        EXPECT_EQ(w->current.CurrentPath, path);
        EXPECT_EQ(GetText(w->hwnd), "Plovnik - " + path);
        EXPECT_EQ(GetText(w->lblValue[15]), NameOf(path));
        for (int i = 0; i <= 6; ++i) EXPECT_FALSE(GetText(w->lblValue[i]).empty()) << i;
        for (int i = 10; i <= 14; ++i) EXPECT_FALSE(GetText(w->lblValue[i]).empty()) << i;
        // Wine's libraries keep their strings where the reader does not find them.
        if (path == OwnProgram()) {
            for (int i = 7; i <= 9; ++i) EXPECT_FALSE(GetText(w->lblValue[i]).empty()) << i;
        }
        EXPECT_TRUE(Shown(w->Image4));
        EXPECT_GT(ListBox_GetCount(w->lstInfo), 0);
        EXPECT_EQ(w->CurrentUpperTab, 0);
        EXPECT_TRUE(Shown(w->picTab[0]));
        EXPECT_TRUE(MenuEnabled(w->menOptTop, ID_MENOPT));
    }
}
