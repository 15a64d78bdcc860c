// The Explorer verb against the test prefix's own HKEY_CLASSES_ROOT: the keys and values written,
// the start-up read, and the check box driven as a user drives it. Every key a test adds is gone
// again at its end, parents included when they were not there before.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "shell/registry.h"
#include "shell/shell_extension.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

const char* const TestClass = "PlovnikTestClass";

bool KeyExists(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// A value's type and stored bytes, read past the program's own registry layer.
bool RawValue(const std::string& subKey, const std::string& name, DWORD& type, std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    bytes.assign(1024, 0);
    DWORD size = static_cast<DWORD>(bytes.size());
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes.data(), &size);
    RegCloseKey(key);
    bytes.resize(result == ERROR_SUCCESS ? size : 0);
    return result == ERROR_SUCCESS;
}

std::string CommandValue(const std::string& shellClass) {
    DWORD type = 0;
    std::vector<BYTE> bytes;
    if (!RawValue(ShellExtCommandKey(shellClass), "", type, bytes) || type != REG_SZ) return "(none)";
    std::string text(bytes.begin(), bytes.end());
    return text.substr(0, text.find('\0'));
}

std::string OwnProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void SetRaw(const std::string& subKey, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, subKey.c_str(), &key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

// A verb as some earlier installation left it.
void PlantVerb(const std::string& shellClass, const std::string& command) {
    SetRaw(ShellExtCommandKey(shellClass), "", REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
    const BYTE one[4] = {1, 0, 0, 0};
    SetRaw(ShellExtVerbKey(shellClass), "EditFlags", REG_BINARY, one, 4);
}

void Click(HWND box) {
    SendMessageA(box, BM_CLICK, 0, 0);
    PumpMessages();
}

class VerbKeys : public testing::Test {
protected:
    void SetUp() override {
        for (const std::string& key : Parents()) existed_.push_back(KeyExists(key));
        RemoveVerbs();
    }
    void TearDown() override {
        RemoveVerbs();
        // Deepest first, so a parent is only looked at once its children are gone.
        std::vector<std::string> parents = Parents();
        for (size_t i = parents.size(); i-- > 0;)
            if (!existed_[i]) RegDeleteTreeA(HKEY_CLASSES_ROOT, parents[i].c_str());
        for (size_t i = 0; i < parents.size(); ++i) EXPECT_EQ(existed_[i], KeyExists(parents[i])) << parents[i];
    }

private:
    static std::vector<std::string> Parents() {
        return {"Drive", "Drive\\Shell", "Directory", "Directory\\Shell", TestClass};
    }
    static void RemoveVerbs() {
        for (const char* shellClass : {"Drive", "Directory", TestClass})
            RegDeleteTreeA(HKEY_CLASSES_ROOT, ShellExtVerbKey(shellClass).c_str());
    }
    std::vector<bool> existed_;
};

} // namespace

// Explorer runs the command with the chosen path in place of %1; the program must get that
// path back from its command line, also when it lies in a folder with a blank in its name.
TEST(ShellExtCommand, StartUpGetsThePathBackWhereverTheProgramLies) {
    struct Case { const char* folder; const char* base; const char* command; };
    const Case cases[] = {
        {"C:\\Tools", "Plovnik", "C:\\Tools\\Plovnik.exe %1"},
        {"C:\\Tools\\", "Plovnik", "C:\\Tools\\Plovnik.exe %1"},
        {"C:\\", "P", "C:\\P.exe %1"},
        {"C:\\Program Files\\Plovnik", "Plovnik", "\"C:\\Program Files\\Plovnik\\Plovnik.exe\" %1"},
        {"C:\\\xD0\x9F\xD1\x80\xD0\xBE \xE6\xBC\xA2", "Plovnik", "\"C:\\\xD0\x9F\xD1\x80\xD0\xBE \xE6\xBC\xA2\\Plovnik.exe\" %1"},
    };
    for (const Case& c : cases) {
        std::string command = ShellExtCommandText(c.folder, c.base);
        EXPECT_EQ(c.command, command);
        for (const std::string path : {"D:\\", "D:\\My Folder", "C:\\a b\\c", "D:\\\xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80"}) {
            std::string line = command;
            line.replace(line.find("%1"), 2, path);
            EXPECT_EQ(path, CommandLineArgument(line)) << line;
        }
    }
}

TEST_F(VerbKeys, WriteStoresTheOwnPathAndTheFlagsAndDeleteTakesBoth) {
    for (const char* shellClass : {"Drive", "Directory"}) {
        EXPECT_EQ(0, ShellExtension(shellClass, ShellExtAction::Write, false));
        EXPECT_EQ(0, LastApiResult);
        EXPECT_EQ(OwnProgramPath() + " %1", CommandValue(shellClass)) << shellClass;
        DWORD type = 0;
        std::vector<BYTE> bytes;
        ASSERT_TRUE(RawValue(ShellExtVerbKey(shellClass), "EditFlags", type, bytes));
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
        EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), bytes);

        EXPECT_EQ(0, ShellExtension(shellClass, ShellExtAction::Read, false));
        EXPECT_EQ(0, ShellExtension(shellClass, ShellExtAction::Delete, false));
        EXPECT_FALSE(KeyExists(ShellExtVerbKey(shellClass)));
        EXPECT_NE(0, ShellExtension(shellClass, ShellExtAction::Read, false));
    }
}

TEST_F(VerbKeys, MessagesAlwaysNameTheFlagsValueAndFailuresTheirReason) {
    PromptRecorder prompts;
    const std::string head = "Explorer shell extension for <Drive>:\r\n";
    const std::string body = "Key: HKEY_CLASSES_ROOT\\Drive\\Shell\\Plovnik...\r\nValue: EditFlags = 1\r\n";
    struct Case { ShellExtAction action; bool ok; const char* title; std::string text; UINT icon; };
    const Case cases[] = {
        {ShellExtAction::Read, false, "Read registry key", head + "\r\nBad Key Name, or Key Not Found", MB_ICONSTOP},
        {ShellExtAction::Delete, false, "Delete registry key", head + "\r\nBad Key Name, or Key Not Found", MB_ICONSTOP},
        {ShellExtAction::Write, true, "Write registry key", head + body, MB_ICONINFORMATION},
        {ShellExtAction::Read, true, "Read registry key", head + body, MB_ICONINFORMATION},
        {ShellExtAction::Delete, true, "Delete registry key", head + body, MB_ICONINFORMATION},
    };
    for (const Case& c : cases) {
        prompts.shown.clear();
        int32_t status = ShellExtension("Drive", c.action, true);
        EXPECT_EQ(c.ok, status == 0) << c.title;
        EXPECT_EQ(status, LastApiResult);
        ASSERT_EQ(1u, prompts.shown.size()) << c.title;
        EXPECT_EQ(c.title, prompts.shown[0].title);
        EXPECT_EQ(c.text, prompts.shown[0].text);
        EXPECT_EQ(MB_OK | c.icon, prompts.shown[0].flags) << c.title;
    }
    // Without messages nothing is shown, failure or not.
    prompts.shown.clear();
    EXPECT_NE(0, ShellExtension("Drive", ShellExtAction::Delete, false));
    EXPECT_TRUE(prompts.shown.empty());
}

// The command key cannot be made below a volatile verb key, while the flags value on that key
// can be set: the write must still fail.
TEST_F(VerbKeys, AFailedCommandStepIsNotCoveredByTheFlagsStep) {
    HKEY verb = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, ShellExtVerbKey(TestClass).c_str(), 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &verb, nullptr));
    RegCloseKey(verb);
    HKEY probe = nullptr;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, ShellExtCommandKey(TestClass).c_str(), &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "the registry makes keys below volatile keys";
    }
    PromptRecorder prompts;
    int32_t status = ShellExtension(TestClass, ShellExtAction::Write, true);
    EXPECT_NE(0, status);
    EXPECT_EQ(status, LastApiResult);
    ASSERT_EQ(2u, prompts.shown.size());   // the layer's own report, then the verb's
    EXPECT_EQ("Write registry key", prompts.shown[1].title);
    EXPECT_EQ("Explorer shell extension for <PlovnikTestClass>:\r\n\r\n" + RegErrorText(status), prompts.shown[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), prompts.shown[1].flags);
}

// The start-up read decides by the "Directory" verb alone, and says nothing.
TEST_F(VerbKeys, StartUpShowsWhetherTheFolderVerbExists) {
    struct Case { bool drive, directory; int box; };
    const Case cases[] = {{false, false, 0}, {true, false, 0}, {false, true, 1}, {true, true, 1}};
    for (const Case& c : cases) {
        for (const char* shellClass : {"Drive", "Directory"})
            RegDeleteTreeA(HKEY_CLASSES_ROOT, ShellExtVerbKey(shellClass).c_str());
        if (c.drive) PlantVerb("Drive", "C:\\Old\\Plovnik.exe %1");
        if (c.directory) PlantVerb("Directory", "C:\\Old\\Plovnik.exe %1");
        PromptRecorder prompts;
        MainWindow w;
        EXPECT_EQ(c.box, GetCheckValue(w->chkShellExt)) << c.drive << c.directory;
        EXPECT_TRUE(prompts.shown.empty());
        // Reading changed nothing.
        EXPECT_EQ(c.directory, KeyExists(ShellExtCommandKey("Directory")));
        EXPECT_EQ(c.drive, KeyExists(ShellExtCommandKey("Drive")));
    }
}

// A moved program: unchecking removes the old verb with its command keys, checking writes the
// verb again with the program's present location.
TEST_F(VerbKeys, UncheckThenCheckRewritesTheCommandWithTheNewLocation) {
    PlantVerb("Drive", "C:\\Old\\Plovnik.exe %1");
    PlantVerb("Directory", "C:\\Old\\Plovnik.exe %1");
    PromptRecorder prompts;
    MainWindow w;
    TabSwitchUpper(*w, 3);
    ASSERT_EQ(1, GetCheckValue(w->chkShellExt));

    Click(w->chkShellExt);
    EXPECT_EQ(0, GetCheckValue(w->chkShellExt));
    for (const char* shellClass : {"Drive", "Directory"}) EXPECT_FALSE(KeyExists(ShellExtVerbKey(shellClass)));

    Click(w->chkShellExt);
    EXPECT_EQ(1, GetCheckValue(w->chkShellExt));
    for (const char* shellClass : {"Drive", "Directory"})
        EXPECT_EQ(OwnProgramPath() + " %1", CommandValue(shellClass)) << shellClass;

    std::vector<std::string> seen;
    for (const RecordedPrompt& p : prompts.shown) seen.push_back(p.title + " " + p.text.substr(0, p.text.find(':')));
    EXPECT_EQ((std::vector<std::string>{"Delete registry key Explorer shell extension for <Drive>",
                                        "Delete registry key Explorer shell extension for <Directory>",
                                        "Write registry key Explorer shell extension for <Drive>",
                                        "Write registry key Explorer shell extension for <Directory>"}),
              seen);
}

// When the folder verb cannot be written the box must not claim that it was.
TEST_F(VerbKeys, ABoxWhoseWriteFailedShowsWhatTheRegistryHolds) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "Directory", &key));
    RegCloseKey(key);
    if (KeyExists("Directory\\Shell")) GTEST_SKIP() << "Directory\\Shell exists here";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "Directory\\Shell", 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, ShellExtVerbKey("Directory").c_str(), &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "the registry makes keys below volatile keys";
    }

    PromptRecorder prompts;
    MainWindow w;
    TabSwitchUpper(*w, 3);
    ASSERT_EQ(0, GetCheckValue(w->chkShellExt));
    Click(w->chkShellExt);
    EXPECT_EQ(0, GetCheckValue(w->chkShellExt));
    EXPECT_EQ(OwnProgramPath() + " %1", CommandValue("Drive"));
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), prompts.shown.back().flags);
    EXPECT_EQ(0u, prompts.shown.back().text.find("Explorer shell extension for <Directory>:\r\n\r\n"));
}
