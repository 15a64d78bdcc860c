#pragma once
// The Display File page: the current file's text in a read-only box.
#include <windows.h>

#include <cstdint>
#include <string>

struct FrmMain;

inline constexpr int64_t LargestDisplayedFile = 30000;   // bytes; one more is refused

// The refusal of a file by its size before it is read: "File is empty", "File (30,001 bytes)
// is too large for text box." (grouped as the user's settings group numbers), or "" when the
// file may be read.
std::string SizeRefusal(int64_t size);

// The file's bytes before they become the box's text. A NUL would end the text at the window
// API, so each one is shown as a space.
std::string TextForBox(std::string bytes);

// Loads fileName into box; true only when the text was loaded. currentAttributes are those of the
// General page's current file: a folder there is refused before the path is looked at. Every
// refusal and failure leaves the box empty; a refused file that could be read is offered to the
// word processor.
bool DisplayFile(const std::string& fileName, int16_t currentAttributes, HWND box);

// "Monospace" changed: Text2 in "Courier New" when checked, else in "MS Sans Serif" (the form's
// face, with a stand-in of its own where the system lacks it).
void ApplyViewerFont(FrmMain& form);

bool FileViewer_OnCommand(FrmMain& form, int id, int code, HWND control);
