#pragma once
// The General page's attribute boxes: showing a file's attributes, collecting edits, Apply.
#include <array>
#include <cstdint>
#include <string>

struct FrmMain;

// The attribute bit of each box of chkAttr, and the tag the report uses for it.
inline constexpr std::array<int16_t, 5> AttrMasks = {1, 2, 32, 4, 16};
inline constexpr std::array<const char*, 5> AttrTags = {"Read-only", "Hidden", "Archive", "System", "Folder"};

// Pending attributes after an edit: the file's bits, with the five boxes' bits as checked.
int16_t PendingFromBoxes(int16_t current, const std::array<bool, 5>& checked);
// The bits to write: the directory bit is never written back.
uint32_t AttributesToWrite(int16_t pending);

// Reads the attributes of path into the current file and the boxes; a file that cannot be
// read leaves everything as it was.
void ShowAttributes(FrmMain& form, const std::string& path);
void chkAttr_Click(FrmMain& form, int index);
void chkAttr_GotFocus(FrmMain& form, int index);
void menApply_Click(FrmMain& form);
