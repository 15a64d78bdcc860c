#pragma once
// The About box: the program's name and version from its own version resource.
#include <windows.h>

#include <string>

// The version as the box shows it: major "0", minor "00", revision "0000" (2.05.0007).
std::string AboutVersionText(int major, int minor, int revision);

// "Plovnik v" + the version of the running program; the second line is its copyright.
std::string AboutFirstLine();
std::string AboutSecondLine();

// The box, shown and not modal (tests read it); its "&OK" button closes it.
HWND CreateAboutBox(HWND owner);
// The box, modal: returns when the user has closed it.
void ShowAboutBox(HWND owner);
