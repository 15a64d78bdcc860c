#include "fileinfo/file_info.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/picture_box.h"
#include "app/platform.h"
#include "app/seams.h"
#include "app/text_case.h"
#include "fileinfo/attributes.h"
#include "fileinfo/file_icons.h"
#include "fileinfo/find_record.h"
#include "fileinfo/text_formats.h"
#include "shell/registry.h"
#include "version/version_page.h"
#include "version/version_reader.h"

#include <shellapi.h>
#include <windowsx.h>

#include <stdexcept>

namespace {

std::string LastErrorText(DWORD code) {
    const std::string text = SystemErrorText(code);
    return text.empty() ? "Error " + std::to_string(code) : text;
}

// Size in bytes of the file at path; throws with the platform's description when it cannot be read.
int64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) throw std::runtime_error(LastErrorText(GetLastError()));
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

void EnableFileMenus(FrmMain& form) {
    EnableMenuItem(form.menOptDateTop, ID_MENOPTAROUND, MF_BYCOMMAND | MF_ENABLED);
    for (int i = 0; i < 3; ++i) EnableMenuItem(form.menOptTop, ID_MENOPT + i, MF_BYCOMMAND | MF_ENABLED);
    form.current.MenusEnabled = true;
}

// Attributes, icons and version data of a path that is not there: none, rather than the
// previous file's.
void ClearFileDetails(FrmMain& form) {
    CurrentFile& file = form.current;
    file.CurrentAttributes = 0;
    file.PendingAttributes = 0;
    for (HWND box : form.chkAttr) SetCheckValue(box, 0);
    ShowWindow(form.labKey[2], SW_SHOW);
    for (HWND picture : form.picIcon) PictureClear(picture);
    SetText(form.labIcon, "");
    ComboBox_ResetContent(form.cbxIcon);
    EnableWindow(form.cbxIcon, FALSE);
    file.keys.clear();
    file.values.clear();
    ShowVersionInfo(form, false, file.keys, file.values);
}

// What the page names the file: the shell's spelling, unless its name hides the extension.
// Where the code page may change names, the record's own may lead to another file; the name
// given (a short name, say) is kept then.
std::string ShownFileName(const std::string& folder, const std::string& given, const std::string& shellName,
                          const std::string& recordName) {
    const std::string shown = SameTextNoCase(shellName, recordName) ? shellName : recordName;
    if (!SameTextNoCase(shown, given) && !SameEntryReached(folder + shown, folder + given)) return given;
    return shown;
}

// A folder has no size of its own: its key goes with the value.
void ShowSize(FrmMain& form) {
    const CurrentFile& file = form.current;
    const bool folder = (file.CurrentAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    SetText(form.lblValue[2], folder ? std::string() : SizeText(FileSize(file.CurrentPath)));
    ShowWindow(form.labKey[2], folder ? SW_HIDE : SW_SHOW);
}

} // namespace

std::string TextBeforeNul(const std::string& text, char delimiter) {
    size_t at = text.find(delimiter);
    return at == std::string::npos ? text : text.substr(0, at);
}

void GetShellNames(const std::string& path, std::string& displayName, std::string& typeName) {
    LastApiResult = static_cast<int32_t>(ShellNames(path, displayName, &typeName));
}

bool FindData(const std::string& path, FileInfoTexts& texts, bool showErrors) {
    WIN32_FIND_DATAA record = {};
    // A pattern would make the find call answer with whichever file matches first.
    bool pattern = HasWildcard(path);
    ScopedFind find(pattern ? std::string() : path, record);
    if (find.valid()) AsListed(record);
    if (pattern || !find.valid()) {
        if (showErrors) ShowMessage(nullptr, "Invalid file", std::string(AppTitle) + ": FindData", MB_ICONERROR);
        // Nothing of the previous file may stand beside the new name.
        size_t slash = path.find_last_of('\\');
        texts = FileInfoTexts{};
        texts.Name = slash == std::string::npos ? path : path.substr(slash + 1);
        return false;
    }
    texts.CreatedText = FileTimeToText(record.ftCreationTime, "Long Date", "Long Time");
    texts.ModifiedText = FileTimeToText(record.ftLastWriteTime, "Long Date", "Long Time");
    texts.AccessedText = FileTimeToText(record.ftLastAccessTime, "Long Date", "");
    texts.CreatedLikeText = FileTimeToText(record.ftCreationTime, DateFormat, "Long Time");
    texts.Name = TextBeforeNul(std::string(record.cFileName, sizeof record.cFileName));
    std::string shortName = TextBeforeNul(std::string(record.cAlternateFileName, sizeof record.cAlternateFileName));
    texts.DosName = shortName.empty() ? UpperText(texts.Name) : shortName;
    LastApiResult = 1;  // the find closes with the scope
    return true;
}

void GetAllFileInfo(FrmMain& form, const std::string& folder, const std::string& name) {
    if (name.empty()) return;
    CurrentFile& file = form.current;
    try {
        ShowWindow(form.Image2, SW_HIDE);
        const bool found = FindData(folder + name, file.texts, true);
        std::string displayName, typeName;
        GetShellNames(folder + name, displayName, typeName);
        if (typeName.empty()) typeName = "(unknown)";
        const std::string shown = ShownFileName(folder, name, displayName, file.texts.Name);

        SetText(form.lblValue[15], shown);
        SetText(form.lblValue[0], typeName);
        SetText(form.lblValue[1], folder);
        SetText(form.lblValue[3], file.texts.DosName);
        SetText(form.lblValue[4], file.texts.CreatedText);
        SetText(form.lblValue[5], file.texts.ModifiedText);
        SetText(form.lblValue[6], file.texts.AccessedText);
        // The size comes later and its query may fail: the previous file's must not stay.
        SetText(form.lblValue[2], "");

        file.CurrentPath = folder + shown;
        SetCaption(form, file.CurrentPath);
        if (!found) {
            // "Invalid file" has been said once; the page shows the name alone.
            ClearFileDetails(form);
            return;
        }
        ShowAttributes(form, file.CurrentPath);

        ShowSize(form);

        SYSTEMTIME unused;
        if (ReadDateText(file.texts.CreatedLikeText, unused)) {
            ModifyMenuA(form.menOptDateTop, ID_MENOPTAROUND, MF_BYCOMMAND | MF_STRING, ID_MENOPTAROUND,
                        ("&Created like " + UpperText(shown)).c_str());
        }

        ShowFileIcons(form, file.CurrentPath);

        bool ok = GetVersionInfo(file.CurrentPath, file.keys, file.values);
        ShowVersionInfo(form, ok, file.keys, file.values);

        if (!file.MenusEnabled) EnableFileMenus(form);
    } catch (const std::exception& failure) {
        ShowMessage(form.hwnd, failure.what(), "GetAllFileInfo_Error", MB_ICONERROR);
    }
}
