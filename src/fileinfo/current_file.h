#pragma once
// The file the General and Version pages show; lives as long as the main window.
#include <cstdint>
#include <string>
#include <vector>

struct FileInfoTexts {
    std::string Name;
    std::string DosName;
    std::string CreatedText;
    std::string CreatedLikeText;
    std::string ModifiedText;
    std::string AccessedText;
};

struct CurrentFile {
    std::string CurrentPath;          // folder ending in "\" + the name shown; empty until a file is shown
    int16_t CurrentAttributes = 0;
    int16_t PendingAttributes = 0;
    bool AttrLoading = false;
    FileInfoTexts texts;
    std::vector<std::string> keys;    // the version reader's result
    std::vector<std::string> values;
    bool MenusEnabled = false;        // the file menus have been enabled once
};
