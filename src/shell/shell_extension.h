#pragma once
// The Explorer verb "Plovnik..." for drives and folders, switched on the Settings page.
//
// For each shell class C ("Drive", "Directory") the verb is two keys below HKEY_CLASSES_ROOT:
// C\Shell\Plovnik...\Command with the command line as its default value, and C\Shell\Plovnik...
// with the binary value EditFlags = 1.
#include <windows.h>

#include <cstdint>
#include <string>

struct FrmMain;

enum class ShellExtAction : int { Read = 0, Write = 1, Delete = 2 };

// The verb's keys below HKEY_CLASSES_ROOT for one shell class.
std::string ShellExtVerbKey(const std::string& shellClass);      // C\Shell\Plovnik...
std::string ShellExtCommandKey(const std::string& shellClass);   // C\Shell\Plovnik...\Command

// The command Explorer runs: programFolder (a "\" added when missing) + baseName + ".exe %1".
// The path is quoted only when it holds a space or tab: unquoted, the start-up would take the
// program path's tail as the argument. The placeholder is never quoted, because the program takes
// its whole command-line argument as one path.
std::string ShellExtCommandText(const std::string& programFolder, const std::string& baseName);

// The command text for the running program's own location.
std::string OwnShellExtCommandText();

// The text of the box that reports one class's outcome: on success (status 0) the verb's flags
// key and value (flagsData as read or written), otherwise the registry's reason for status.
std::string ShellExtMessageText(const std::string& shellClass, int32_t status, const std::string& flagsData);

// Reads, writes or deletes the verb of one shell class; returns the status of the registry work
// (0 = success) and leaves it in LastApiResult. A read gives 0 exactly when the verb key opens.
// With showMessages one message box reports the outcome.
int32_t ShellExtension(const std::string& shellClass, ShellExtAction action, bool showMessages);

// "Explorer Shell Extension" changed; a grayed box means: show whether the verb exists. The
// start-up read is silent; once the window has loaded, every toggle reports what it did.
void chkShellExt_Changed(FrmMain& form);
bool ShellExtension_OnCommand(FrmMain& form, int id, int code, HWND control);
