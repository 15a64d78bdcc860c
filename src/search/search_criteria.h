#pragma once
// The Find Files page: the search criteria, the period menu and the Find command.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct FrmMain;

extern int16_t DateKindSelected;   // 0 created, 1 modified, 2 accessed
extern int16_t DateKind;           // DateKindSelected, plus 4 while "No matter what date" is checked
extern std::string AttributeText;    // the required attributes' names, each followed by ". "
extern std::string DateText;         // the date criterion as the report states it
// The attribute boxes' bits and names are AttrMasks and AttrTags (fileinfo/attributes.h), shared
// with the General page.
// The names of the three date kinds, as the header and the report show them.
inline constexpr std::array<const char*, 3> DateKindTags = {"Created", "Modified", "Accessed"};

// "No matter what date" changed (by a click or by the settings pass).
void Check2_Changed(FrmMain& form);

// Posted to the main window when "Named" has lost the focus: the name check waits until the
// focus has settled, so that it sees where the focus went.
inline constexpr UINT WM_NAMEDLEFT = WM_APP + 1;
void Combo1_Left(FrmMain& form);

// After the controls exist.
void FindPage_Init(FrmMain& form);
// WM_COMMAND of the Find Files page and of the period menu; true when handled.
bool FindPage_OnCommand(FrmMain& form, int id, int code, HWND control);

// The Find command ("F&ind Now").
void cmdFind_Click(FrmMain& form);
// Checks a name pattern by listing it; a valid one becomes the Browse page's file pattern.
// An invalid one is reported ("This filename is invalid. Type a valid filename.").
bool ValidateNamePattern(FrmMain& form, const std::string& text);

// ---- decisions over values ----

// Mask and text of the checked attribute boxes (values 0 clear, otherwise checked).
void AttributeSelection(const std::array<int, 5>& values, uint32_t& mask, std::string& text);

// The pattern searched for a name text: the first of several ";"-separated patterns, trimmed;
// "*.*" for none; a pattern ending in "." gets "*" (readme. searches readme.*).
std::string SearchPattern(const std::string& nameText);

// Look-in codes: 0 a folder path, 1 every drive, 2 one drive item, 3 a short typed text.
// selectedCode is the selected item's code, or -1 when the text is typed.
int LookInCode(int selectedCode, const std::string& text);

// The start folders of codes 1..3 (code 0 is the text itself, once it is known to exist).
// driveRoots holds the roots, each followed by a NUL.
std::vector<std::string> StartFolders(int code, const std::string& text, const std::string& driveRoots);

// The date boxes' check: both read as dates from 1900 on; a non-date with a "u" in it means
// "(unknown)" for both boxes.
enum class DateRangeCheck { Valid, Unknown, InvalidFrom, InvalidTo };
DateRangeCheck CheckDateRange(const std::string& fromText, const std::string& toText);

// The two box values of period menu item 0..7 for the local time now.
void PeriodRange(int index, const SYSTEMTIME& now, SYSTEMTIME& from, SYSTEMTIME& to);

// A local calendar value moved by seconds (negative: earlier).
SYSTEMTIME AddSeconds(const SYSTEMTIME& value, int64_t seconds);

// The criteria header of the results report.
std::string BuildReportText(const std::string& nowText, const std::string& dateText, const std::string& attributeText,
                            const std::string& nameText, const std::string& lookInText, bool includeSubfolders);
