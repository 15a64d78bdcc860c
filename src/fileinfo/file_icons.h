#pragma once
// The General page's icons: the shell's large and small icons of the current file and the
// icons stored in the file itself, and copying them as bitmaps.
#include <windows.h>

#include <cstdint>
#include <string>

struct FrmMain;

void DrawShellIcon(HWND picture, const std::string& path, bool small);
// index -1: the number of icons stored in the file (nothing drawn); index >= 0: draws that
// icon and returns non-zero when there was one.
int32_t ExtractFileIcon(FrmMain& form, HWND picture, const std::string& path, int32_t index);
// The icon part of showing a file: both shell icons, the first stored icon, the icon chooser.
void ShowFileIcons(FrmMain& form, const std::string& path);
void cbxIcon_Click(FrmMain& form);
// The program's own icon in the large icon's place, while no file is shown.
void DrawProgramIcon(FrmMain& form);
// The icons of the shown file (or the program's) again, at the pictures' present size.
void RedrawFileIcons(FrmMain& form);
// Puts the picture's image on the clipboard as a bitmap.
bool CopyPictureToClipboard(FrmMain& form, HWND picture);
