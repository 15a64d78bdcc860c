#pragma once
// Start-up of the main window, and the path taken from the command line.
#include <string>

struct FrmMain;

// The command line without the program's own name (dropped by the platform's rules, quoted or
// not) and the blanks after it; the rest is one path, taken as it stands.
std::string CommandLineArgument(const std::string& commandLine);

// Runs every start-up step in order and shows the window. A failure is reported as "load_error".
void StartUp(FrmMain& form, const std::string& path);
