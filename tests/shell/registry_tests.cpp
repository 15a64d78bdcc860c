// Registry access against a key the test owns below HKEY_CURRENT_USER, removed afterwards.
#include <gtest/gtest.h>

#include "app/utf8_text.h"
#include "shell/registry.h"
#include "support/recorders.h"

#include <windows.h>

#include <vector>

namespace {

class OwnKey : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

    const std::string& Key() const { return key_; }

    bool KeyExists(const std::string& subKey) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    // The stored bytes and type of a value, read past the functions under test.
    bool RawValue(const std::string& subKey, const std::string& name, DWORD& type, std::vector<BYTE>& bytes) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        bytes.assign(512, 0);
        DWORD size = static_cast<DWORD>(bytes.size());
        LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes.data(), &size);
        RegCloseKey(key);
        bytes.resize(result == ERROR_SUCCESS ? size : 0);
        return result == ERROR_SUCCESS;
    }

    void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) const {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, key_.c_str(), &key));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }

private:
    std::string key_ = "Software\\PlovnikTest" + std::to_string(GetCurrentProcessId());
};

} // namespace

TEST_F(OwnKey, BinaryValuesAreFourLittleEndianBytes) {
    struct Case { int32_t value; std::vector<BYTE> bytes; const char* text; };
    const Case cases[] = {
        {1, {0x01, 0x00, 0x00, 0x00}, "1"},
        {0x12345678, {0x78, 0x56, 0x34, 0x12}, "305419896"},
        {-2, {0xFE, 0xFF, 0xFF, 0xFF}, "-2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key() + "\\a\\b", "Flag", c.value, RegTypeBinary));
        DWORD type = 0;
        std::vector<BYTE> bytes;
        ASSERT_TRUE(RawValue(Key() + "\\a\\b", "Flag", type, bytes));
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
        EXPECT_EQ(c.bytes, bytes) << c.value;

        std::string data;
        int32_t valueType = RegTypeBinary;
        EXPECT_EQ(0, RegReadValue(RegRootCurrentUser, Key() + "\\a\\b", "Flag", data, valueType));
        EXPECT_EQ(c.text, data);
        EXPECT_EQ(RegTypeBinary, valueType);
    }
    // A text given for a binary value is taken as its number.
    EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "FromText", std::string("7"), RegTypeBinary));
    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(RawValue(Key(), "FromText", type, bytes));
    EXPECT_EQ((std::vector<BYTE>{7, 0, 0, 0}), bytes);
}

TEST_F(OwnKey, TextValuesReadWithoutTheirZero) {
    PromptRecorder prompts;
    EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "Name", std::string("abc"), RegTypeText));
    EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "Number", 42, RegTypeText));
    EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "", std::string("default"), RegTypeText));
    struct Case { const char* name; const char* text; };
    for (Case c : {Case{"Name", "abc"}, Case{"Number", "42"}, Case{"", "default"}}) {
        std::string data = "old";
        int32_t valueType = RegTypeText;
        EXPECT_EQ(0, RegReadValue(RegRootCurrentUser, Key(), c.name, data, valueType));
        EXPECT_EQ(c.text, data) << c.name;
        EXPECT_EQ(RegTypeText, valueType);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(OwnKey, MissingValuesKeepTheBuffersStartingContents) {
    SetRaw("Long", REG_SZ, std::string(300, 'x').c_str(), 301);
    struct Case { const char* name; int32_t type; std::string expected; };
    const Case cases[] = {
        {"Missing", RegTypeText, std::string(254, ' ')},
        {"Missing", RegTypeBinary, "0"},
        {"Long", RegTypeText, std::string(254, ' ')},   // does not fit the 255-character buffer
    };
    for (const Case& c : cases) {
        std::string data;
        int32_t valueType = c.type;
        LastApiResult = 0;
        EXPECT_EQ(0, RegReadValue(RegRootCurrentUser, Key(), c.name, data, valueType)) << c.name;
        EXPECT_EQ(c.expected, data) << c.name;
        EXPECT_EQ(0, LastApiResult);   // the close came last
    }
    // Other types read nothing.
    std::string data = "untouched";
    int32_t valueType = 4;
    EXPECT_EQ(0, RegReadValue(RegRootCurrentUser, Key(), "Long", data, valueType));
    EXPECT_EQ("untouched", data);
}

// The 255-character limits count characters: a UTF-8 text of more bytes than that still reads
// whole, one of more characters still does not fit.
TEST_F(OwnKey, NonAnsiTextsFitByCharacters) {
    std::string cjk;
    for (int i = 0; i < 200; ++i) cjk += "\xE6\xBC\xA2";   // U+6F22, three bytes
    PromptRecorder prompts;
    ASSERT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "Wide", cjk, RegTypeText));
    ASSERT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "TooWide", cjk + cjk, RegTypeText));
    // Stored as those characters, as any other program reads them.
    WCHAR stored[256] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, WideFromUtf8(Key()).c_str(), L"Wide", RRF_RT_REG_SZ, nullptr,
                                          stored, &size));
    EXPECT_TRUE(std::wstring(200, L'\x6F22') == stored);
    struct Case { const char* name; std::string expected; };
    for (const Case& c : {Case{"Wide", cjk}, Case{"TooWide", std::string(254, ' ')}}) {
        std::string data;
        int32_t valueType = RegTypeText;
        EXPECT_EQ(0, RegReadValue(RegRootCurrentUser, Key(), c.name, data, valueType));
        EXPECT_EQ(c.expected, data) << c.name;
    }
    ASSERT_EQ(0, RegWriteValue(RegRootCurrentUser, Key() + "\\first", cjk.substr(0, 300), cjk, RegTypeText));
    EXPECT_EQ(cjk, RegFirstValue(RegRootCurrentUser, Key() + "\\first"));
    EXPECT_EQ(0, LastApiResult);
}

TEST_F(OwnKey, MissingKeyReportsTheOpenFailure) {
    std::string data = "kept";
    int32_t valueType = RegTypeText;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegReadValue(RegRootCurrentUser, Key() + "\\none", "x", data, valueType));
    EXPECT_EQ("kept", data);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, LastApiResult);
}

TEST_F(OwnKey, UnsupportedTypesAndRootsWriteNothing) {
    PromptRecorder prompts;
    EXPECT_EQ(0, RegWriteValue(RegRootCurrentUser, Key(), "Dword", 5, REG_DWORD));
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("Only keys of the types REG_SZ (strings) and REG_BINARY are supported here.", prompts.shown[0].text);
    EXPECT_EQ(AppTitle, prompts.shown[0].title);
    EXPECT_EQ(static_cast<UINT>(MB_OK), prompts.shown[0].flags);

    for (int32_t root : {0, 0x7FFFFFFF, static_cast<int32_t>(0x80000007u), static_cast<int32_t>(0xFFFFFFFFu)})
        EXPECT_EQ(0, RegWriteValue(root, Key(), "Name", std::string("abc"), RegTypeText)) << root;
    EXPECT_EQ(1u, prompts.shown.size());
    EXPECT_FALSE(KeyExists(Key()));
}

TEST_F(OwnKey, DeleteTakesSubkeysAlong) {
    ASSERT_EQ(0, RegWriteValue(RegRootCurrentUser, Key() + "\\shell\\verb\\command", "", std::string("x"), RegTypeText));
    EXPECT_EQ(0, RegDeleteSubKey(RegRootCurrentUser, Key() + "\\shell"));
    EXPECT_FALSE(KeyExists(Key() + "\\shell"));
    EXPECT_TRUE(KeyExists(Key()));
    EXPECT_EQ(0, LastApiResult);

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteSubKey(RegRootCurrentUser, Key() + "\\shell"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, LastApiResult);
}

TEST_F(OwnKey, FirstValue) {
    EXPECT_EQ("", RegFirstValue(RegRootCurrentUser, Key()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, LastApiResult);

    SetRaw("", REG_SZ, "Display Name", 13);
    EXPECT_EQ("Display Name", RegFirstValue(RegRootCurrentUser, Key()));
    EXPECT_EQ(0, LastApiResult);

    // An existing key without values gives an empty text as well.
    ASSERT_EQ(0, RegWriteValue(RegRootCurrentUser, Key() + "\\empty", "x", std::string("y"), RegTypeText));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, (Key() + "\\empty").c_str(), 0, KEY_WRITE, &key));
    RegDeleteValueA(key, "x");
    RegCloseKey(key);
    EXPECT_EQ("", RegFirstValue(RegRootCurrentUser, Key() + "\\empty"));
}

TEST(RegErrorText, KnownAndUndefinedCodes) {
    struct Case { int32_t code; const char* text; };
    const Case cases[] = {
        {2, "Bad Key Name, or Key Not Found"},
        {1010, "Bad Key Name, or Key Not Found"},
        {1015, "The Registry Database is corrupt!"},
        {4, "Can't Read Key"},
        {5, "Access to this key is denied"},
        {1013, "Can't Write Key"},
        {14, "Out of memory"},
        {87, "Invalid Parameter"},
        {234, "Error - There is more data than the buffer can handle!"},
        {1234, "Undefined Key Error Code 1234!"},
        {0, "Undefined Key Error Code 0!"},
        {-5, "Undefined Key Error Code-5!"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, RegErrorText(c.code)) << c.code;
}
