// The Display File page on the real main window: which files it shows and how, which it refuses
// with what, the word-processor offer, and the Monospace switch.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/utf8_text.h"
#include "fileinfo/file_info.h"
#include "shell/file_viewer.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

namespace {

const UINT Offer = MB_YESNO | MB_ICONQUESTION;
const UINT Critical = MB_OK | MB_ICONSTOP;

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

void MakeCurrent(FrmMain& form, const std::string& path) {
    GetAllFileInfo(form, FolderOf(path), NameOf(path));
    PumpMessages();
}

void Click(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    PumpMessages();
}

// Makes path the current file and presses "Display" on its page.
void Display(FrmMain& form, const std::string& path) {
    MakeCurrent(form, path);
    TabSwitchRight(form, 2);
    Click(form.cmdDisplay);
}

std::string FontFace(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA face = {};
    if (!font || !GetObjectA(font, sizeof face, &face)) return "(none)";
    return face.lfFaceName;
}

} // namespace

TEST(ViewerSize, RefusalsByTheSizeAlone) {
    struct Case { int64_t size; const char* refusal; };
    const Case cases[] = {
        {0, "File is empty"},
        {1, ""},
        {30000, ""},
        {30001, "File (30,001 bytes) is too large for text box."},
        {5000000000LL, "File (5,000,000,000 bytes) is too large for text box."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.refusal, SizeRefusal(c.size)) << c.size;
}

TEST(Viewer, SizeLimitIsInclusiveAndTheOfferNamesTheSize) {
    TempDir dir;
    std::string fits = dir.MakeFile("fits.txt", std::string(30000, 'x'));
    std::string over = dir.MakeFile("over.txt", std::string(30001, 'x'));
    std::string empty = dir.MakeFile("empty.txt");
    PromptRecorder prompts;
    prompts.answer = IDNO;
    LaunchRecorder launches;
    MainWindow w;

    Display(*w, fits);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(std::string(30000, 'x'), GetText(w->Text2));
    EXPECT_EQ(fits, GetText(w->Text3));

    struct Case { std::string path, text; };
    const Case cases[] = {
        {over, "File (30,001 bytes) is too large for text box.\r\nOpen it with WordPad?"},
        {empty, "File is empty\r\nOpen it with WordPad?"},
    };
    for (const Case& c : cases) {
        prompts.shown.clear();
        Display(*w, c.path);
        ASSERT_EQ(1u, prompts.shown.size()) << c.path;
        EXPECT_EQ(c.text, prompts.shown[0].text);
        EXPECT_EQ(c.path, prompts.shown[0].title);
        EXPECT_EQ(Offer, prompts.shown[0].flags);
        // Refused: the box is empty, the path box still names the last file shown.
        EXPECT_EQ("", GetText(w->Text2));
        EXPECT_EQ(fits, GetText(w->Text3));
    }
    EXPECT_TRUE(launches.started.empty());
}

TEST(Viewer, YesHandsThePathToTheWordProcessorAsOneArgument) {
    TempDir dir;
    std::string plain = dir.MakeFile("big.txt", std::string(40000, 'y'));
    std::string spaced = dir.MakeFile("with space\\big file.txt", std::string(40000, 'y'));
    PromptRecorder prompts;
    prompts.answer = IDYES;
    LaunchRecorder launches;
    MainWindow w;
    Display(*w, plain);
    Display(*w, spaced);
    ASSERT_EQ(2u, launches.started.size());
    EXPECT_EQ(std::make_pair(std::string("write.exe"), plain), launches.started[0]);
    EXPECT_EQ(std::make_pair(std::string("write.exe"), "\"" + spaced + "\""), launches.started[1]);
    EXPECT_EQ("", GetText(w->Text2));
}

std::wstring WideText(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// UTF-8 shows as its characters; every byte that is no UTF-8 still reaches the box as one
// character (its Windows-1252 one); a NUL, which would end the text at the window API, shows as
// a space instead of cutting the rest off.
TEST(Viewer, EveryByteValueReachesTheBoxAndNulsBecomeSpaces) {
    TempDir dir;
    // Every byte value, each alone between spaces, so none joins another into a sequence.
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += std::string(1, static_cast<char>(b)) + " ";
    std::wstring everyShown(everyByte.size(), L'\0');
    MultiByteToWideChar(1252, 0, everyByte.data(), static_cast<int>(everyByte.size()), everyShown.data(),
                        static_cast<int>(everyShown.size()));
    everyShown[0] = L' ';
    struct Case { const char* name; std::string bytes; std::wstring shown; };
    const Case cases[] = {
        {"breaks.txt", "a\rb\nc\r\n\n\rd\r", L"a\rb\nc\r\n\n\rd\r"},
        {"nul-last.txt", std::string("end\0", 4), L"end "},
        // "Grüße ✓ 😀" in UTF-8 is shown as its characters, not as its bytes.
        {"utf8.txt", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x9C\x93 \xF0\x9F\x98\x80", L"Gr\u00FC\u00DFe \u2713 \U0001F600"},
        // An old single-byte text, and a sequence cut short: each byte is one character.
        {"cp1252.txt", "\xFC" "ber \x80 \xE2\x9C", L"\u00FC" L"ber \u20AC \u00E2\u0153"},
        {"every-byte.bin", everyByte, everyShown},
    };
    for (const Case& c : cases) {
        std::string path = dir.MakeFile(c.name, c.bytes);
        PromptRecorder prompts;
        MainWindow w;
        Display(*w, path);
        EXPECT_TRUE(prompts.shown.empty()) << c.name;
        EXPECT_TRUE(c.shown == WideText(w->Text2)) << c.name;
        EXPECT_EQ(path, GetText(w->Text3));
    }
}

// A binary is full of bytes that show as characters the platform's text shaping once faulted on
// in the box's stand-in font (U+02DC from byte 0x98, Lao): each file shows, in either font.
TEST(Viewer, BinariesAndComplexScriptsShowInEitherFont) {
    TempDir dir;
    std::vector<std::string> files = {"\x2D\x98", "\xE0\xBA\x81\xE0\xBA\xB2\xE0\xBA\x99 \xE0\xBC\x80"};
    uint32_t seed = 12345;
    std::string random;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1103515245u + 12345u;
        random += static_cast<char>(seed >> 24);
    }
    files.push_back(random);
    PromptRecorder prompts;
    MainWindow w;
    for (int monospace = 0; monospace < 2; ++monospace) {
        if (monospace) Click(w->Check3);
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string path = dir.MakeFile("bin" + std::to_string(monospace) + std::to_string(i) + ".bin", files[i]);
            Display(*w, path);
            UpdateWindow(w->Text2);
            EXPECT_TRUE(prompts.shown.empty()) << i;
            EXPECT_EQ(path, GetText(w->Text3)) << i;
        }
    }
}

TEST(Viewer, TextTheBoxCannotHoldByteForByteIsRefused) {
    if (!IsDBCSLeadByte(0x82)) GTEST_SKIP() << "needs a double-byte code page";
    TempDir dir;
    std::string path = dir.MakeFile("lead.txt", "abc\x82");
    PromptRecorder prompts;
    prompts.answer = IDNO;
    LaunchRecorder launches;
    MainWindow w;
    Display(*w, path);
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("This is not an ascii file\r\nOpen it with WordPad?", prompts.shown[0].text);
    EXPECT_EQ(Offer, prompts.shown[0].flags);
    EXPECT_EQ("", GetText(w->Text2));
    EXPECT_EQ("", GetText(w->Text3));
    EXPECT_TRUE(launches.started.empty());
}

TEST(Viewer, NoFileFolderOrPatternIsRefusedWithoutTheOffer) {
    TempDir dir;
    std::string text = dir.MakeFile("shown.txt", "hello");
    std::string folder = dir.MakeFolder("sub");
    PromptRecorder prompts;
    prompts.answer = IDYES;
    LaunchRecorder launches;
    MainWindow w;

    TabSwitchRight(*w, 2);
    Click(w->cmdDisplay);   // nothing current yet
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("No file selected", prompts.shown[0].text);
    EXPECT_EQ(Critical, prompts.shown[0].flags);

    struct Case { std::string current; int16_t attributes; std::string text, title; };
    const Case cases[] = {
        // The folder test goes by the General page's attributes, before the path is examined.
        {folder, 16, "It's a folder, not a file", folder},
        {dir.Path() + "*.txt", 16, "It's a folder, not a file", dir.Path() + "*.txt"},
        {dir.Path() + "*.txt", 0, "No file selected", "Plovnik"},
        {"", 0, "No file selected", "Plovnik"},
    };
    for (const Case& c : cases) {
        Display(*w, text);
        ASSERT_EQ("hello", GetText(w->Text2));
        prompts.shown.clear();
        w->current.CurrentPath = c.current;
        w->current.CurrentAttributes = c.attributes;
        Click(w->cmdDisplay);
        ASSERT_EQ(1u, prompts.shown.size()) << c.current;
        EXPECT_EQ(c.text, prompts.shown[0].text);
        EXPECT_EQ(c.title, prompts.shown[0].title);
        EXPECT_EQ(Critical, prompts.shown[0].flags);
        EXPECT_EQ("", GetText(w->Text2));
        EXPECT_EQ(text, GetText(w->Text3));
    }
    // A folder made current through the General page.
    prompts.shown.clear();
    Display(*w, folder.substr(0, folder.size() - 1));
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("It's a folder, not a file", prompts.shown[0].text);
    EXPECT_TRUE(launches.started.empty());
}

TEST(Viewer, AFileGoneSinceItWasMadeCurrentGivesTheNumberedFailure) {
    TempDir dir;
    std::string path = dir.MakeFile("gone.txt", "soon gone");
    PromptRecorder prompts;
    LaunchRecorder launches;
    MainWindow w;
    MakeCurrent(*w, path);
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    TabSwitchRight(*w, 2);
    Click(w->cmdDisplay);
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ(0u, prompts.shown[0].text.find("2: ")) << prompts.shown[0].text;
    EXPECT_GT(prompts.shown[0].text.size(), 3u);
    EXPECT_EQ(Critical, prompts.shown[0].flags);
    EXPECT_EQ("", GetText(w->Text2));
    EXPECT_TRUE(launches.started.empty());
}

TEST(Viewer, MonospaceSwitchesTheFontBackAndForth) {
    MainWindow w;
    TabSwitchRight(*w, 2);
    EXPECT_EQ("MS Sans Serif", FontFace(w->Text2));
    Click(w->Check3);
    EXPECT_EQ(BST_CHECKED, Button_GetCheck(w->Check3));
    EXPECT_EQ("Courier New", FontFace(w->Text2));
    Click(w->Check3);
    EXPECT_EQ("MS Sans Serif", FontFace(w->Text2));
}
