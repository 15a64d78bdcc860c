#include "shell/shell_extension.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "shell/registry.h"

#include <vector>

namespace {

constexpr const char* VerbName = "Plovnik...";
constexpr const char* FlagsValueName = "EditFlags";
constexpr int32_t FlagsValue = 1;

const char* MessageTitle(ShellExtAction action) {
    switch (action) {
    case ShellExtAction::Read: return "Read registry key";
    case ShellExtAction::Write: return "Write registry key";
    case ShellExtAction::Delete: return "Delete registry key";
    }
    return "";
}

std::string OwnProgramPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);   // cut off: the path is longer than the buffer
    }
}

void SetBoxFromRead(FrmMain& form, int32_t status) {
    form.shellExtUpdating = true;
    SetCheckValue(form.chkShellExt, status == 0 ? 1 : 0);
    form.shellExtUpdating = false;
}

} // namespace

std::string ShellExtVerbKey(const std::string& shellClass) { return shellClass + "\\Shell\\" + VerbName; }

std::string ShellExtCommandKey(const std::string& shellClass) { return ShellExtVerbKey(shellClass) + "\\Command"; }

std::string ShellExtCommandText(const std::string& programFolder, const std::string& baseName) {
    std::string program = AddBackslash(programFolder) + baseName + ".exe";
    if (program.find_first_of(" \t") != std::string::npos) program = "\"" + program + "\"";
    return program + " %1";
}

std::string OwnShellExtCommandText() {
    std::string path = OwnProgramPath();
    size_t slash = path.find_last_of('\\');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    return ShellExtCommandText(folder, name);
}

std::string ShellExtMessageText(const std::string& shellClass, int32_t status, const std::string& flagsData) {
    std::string text = "Explorer shell extension for <" + shellClass + ">:\r\n";
    if (status != 0) return text + "\r\n" + RegErrorText(status);
    text += "Key: HKEY_CLASSES_ROOT\\" + ShellExtVerbKey(shellClass) + "\r\n";
    return text + "Value: " + FlagsValueName + " = " + flagsData + "\r\n";
}

int32_t ShellExtension(const std::string& shellClass, ShellExtAction action, bool showMessages) {
    const std::string flagsKey = ShellExtVerbKey(shellClass);
    std::string flagsData = std::to_string(FlagsValue);

    // Command step.
    int32_t commandStatus = 0;
    if (action == ShellExtAction::Read) {
        std::string command;
        int32_t type = RegTypeText;
        LastApiResult = RegReadValue(RegRootClassesRoot, ShellExtCommandKey(shellClass), "", command, type);
    } else if (action == ShellExtAction::Write) {
        LastApiResult =
            RegWriteValue(RegRootClassesRoot, ShellExtCommandKey(shellClass), "", OwnShellExtCommandText(), RegTypeText);
        commandStatus = LastApiResult;
    }

    // Flags step.
    if (action == ShellExtAction::Read) {
        int32_t type = RegTypeBinary;
        LastApiResult = RegReadValue(RegRootClassesRoot, flagsKey, FlagsValueName, flagsData, type);
    } else if (action == ShellExtAction::Write) {
        LastApiResult = RegWriteValue(RegRootClassesRoot, flagsKey, FlagsValueName, FlagsValue, RegTypeBinary);
        // A verb without its command is no verb: the command step's failure must not be
        // covered by a flags step that went through.
        if (commandStatus != 0) LastApiResult = commandStatus;
    } else {
        LastApiResult = RegDeleteSubKey(RegRootClassesRoot, flagsKey);
    }

    int32_t result = LastApiResult;
    if (showMessages)
        ShowMessage(nullptr, ShellExtMessageText(shellClass, result, flagsData), MessageTitle(action),
                    MB_OK | (result == 0 ? MB_ICONINFORMATION : MB_ICONSTOP));
    LastApiResult = result;
    return result;
}

void chkShellExt_Changed(FrmMain& form) {
    if (form.shellExtUpdating) return;
    ShellExtAction action;
    switch (GetCheckValue(form.chkShellExt)) {
    case 0: action = ShellExtAction::Delete; break;
    case 1: action = ShellExtAction::Write; break;
    default: action = ShellExtAction::Read; break;
    }
    // The start-up read stays silent; toggles by the user report what they did.
    bool showMessages = form.Loaded && action != ShellExtAction::Read;
    ShellExtension("Drive", action, showMessages);
    int32_t status = ShellExtension("Directory", action, showMessages);

    if (action == ShellExtAction::Read) {
        SetBoxFromRead(form, status);
    } else if (status != 0) {
        // The change did not go through: show what the registry now holds rather than the wish.
        SetBoxFromRead(form, ShellExtension("Directory", ShellExtAction::Read, false));
    }
}

bool ShellExtension_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id == ID_CHKSHELLEXT && code == BN_CLICKED) {
        chkShellExt_Changed(form);
        return true;
    }
    return false;
}
