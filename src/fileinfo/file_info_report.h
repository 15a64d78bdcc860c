#pragma once
// "Copy File Info": the current file's General and Version pages as one text on the clipboard.
#include <array>
#include <string>
#include <utility>
#include <vector>

struct FrmMain;

// What the two pages show, as the report reads it.
struct FileInfoReportInput {
    std::string name;                              // lblValue 15
    std::array<std::string, 15> captions;          // labKey 0..14
    std::array<std::string, 15> values;            // lblValue 0..14
    std::string attributesCaption;                 // labAttr
    std::vector<std::string> attributeTags;        // tags of the set bits, in box order
    bool hasVersion = false;                       // the version indicator is shown
    std::vector<std::pair<std::string, std::string>> entries;   // lstInfo text and its value
};

std::string BuildFileInfoReport(const FileInfoReportInput& input);

// Reads the pages and puts the report on the clipboard.
void CopyFileInfo(FrmMain& form);
