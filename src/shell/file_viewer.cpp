#include "shell/file_viewer.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/platform.h"
#include "app/seams.h"
#include "app/utf8_text.h"
#include "fileinfo/find_record.h"
#include "fileinfo/text_formats.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int16_t DirectoryBit = 16;

// "<number>: <description>" of a system error code.
std::string FailureText(DWORD code) {
    std::string description = SystemErrorText(code);
    while (!description.empty() && description.back() == '.') description.pop_back();
    return std::to_string(code) + ": " + (description.empty() ? "Unknown error" : description);
}

// Reads up to size bytes from the start of file; false with the failure code when a read fails.
// A file that shrank since its size was taken gives fewer bytes.
bool ReadWhole(HANDLE file, int64_t size, std::string& bytes, DWORD& failure) {
    bytes.assign(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) {
            failure = GetLastError();
            return false;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

// The offer for a file the box will not show; the box ends empty whatever the answer.
void OfferWordPad(HWND owner, const std::string& message, const std::string& fileName, HWND box) {
    int answer = ShowMessage(owner, message + "\r\nOpen it with WordPad?", fileName, MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        // Unquoted, a path with a space would reach the word processor as two names.
        bool spaced = fileName.find_first_of(" \t") != std::string::npos;
        StartProgram("write.exe", spaced ? "\"" + fileName + "\"" : fileName);
    }
    SetText(box, "");
}

// The box's two faces at 9.75 points, made on first use for each scale and kept for the
// program's life: the box may show one until the window goes, and one font serves every window
// of a scale.
class ViewerFont {
public:
    ViewerFont(const char* face, BYTE pitchAndFamily) : face_(face), pitchAndFamily_(pitchAndFamily) {}
    ViewerFont(const ViewerFont&) = delete;
    ViewerFont& operator=(const ViewerFont&) = delete;
    ~ViewerFont() {
        for (const auto& [dpi, font] : fonts_)
            if (font) DeleteObject(font);
    }
    HFONT Get(int dpi) {
        for (const auto& [made, font] : fonts_)
            if (made == dpi) return font;
        HFONT font = CreateFontA(FontHeight(975, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily_, face_);
        fonts_.emplace_back(dpi, font);
        return font;
    }

private:
    const char* face_;
    BYTE pitchAndFamily_;
    std::vector<std::pair<int, HFONT>> fonts_;
};

HFONT MonospaceFontHandle(int dpi) {
    static ViewerFont font("Courier New", FIXED_PITCH | FF_MODERN);
    return font.Get(dpi);
}

// The form's face, but where the system lacks it the family asks for a serif stand-in rather
// than the sans one the form gets: under Wine the common sans stand-in (DejaVu Sans) makes the
// edit box's text shaping fault on characters a binary file is full of (U+02DC, byte 0x98) and
// on some scripts, which would end the program on a mere Display. Where the face exists, as on
// Windows, the family plays no part.
HFONT ProportionalFontHandle(int dpi) {
    static ViewerFont font("MS Sans Serif", VARIABLE_PITCH | FF_ROMAN);
    return font.Get(dpi);
}

} // namespace

void ApplyViewerFont(FrmMain& form) {
    bool monospace = GetCheckValue(form.Check3) != 0;
    HFONT font = monospace ? MonospaceFontHandle(form.dpi) : ProportionalFontHandle(form.dpi);
    if (font) SendMessageA(form.Text2, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::string SizeRefusal(int64_t size) {
    if (size == 0) return "File is empty";
    if (size > LargestDisplayedFile) return "File (" + NumberText(size, "#,#") + " bytes) is too large for text box.";
    return {};
}

std::string TextForBox(std::string bytes) {
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return bytes;
}

bool DisplayFile(const std::string& fileName, int16_t currentAttributes, HWND box) {
    HWND owner = GetAncestor(box, GA_ROOT);
    if (currentAttributes & DirectoryBit) {
        ShowMessage(owner, "It's a folder, not a file", fileName, MB_OK | MB_ICONSTOP);
        SetText(box, "");
        return false;
    }
    if (fileName.empty() || fileName.find('*') != std::string::npos) {
        ShowMessage(owner, "No file selected", AppTitle, MB_OK | MB_ICONSTOP);
        SetText(box, "");
        return false;
    }

    std::string bytes;
    std::string refusal;
    DWORD failure = ERROR_SUCCESS;
    bool failed = false;
    {
        // Size and bytes from one handle, so the two agree; closed before any message, so the
        // word processor can have the file.
        ScopedHandle file(OpenForReading(fileName, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
        LARGE_INTEGER size = {};
        if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
            failed = true;
            failure = GetLastError();
        } else {
            refusal = SizeRefusal(size.QuadPart);
            if (refusal.empty() && !ReadWhole(file.get(), size.QuadPart, bytes, failure)) failed = true;
        }
    }
    if (failed) {
        ShowMessage(owner, FailureText(failure), AppTitle, MB_OK | MB_ICONSTOP);
        SetText(box, "");
        return false;
    }
    if (!refusal.empty()) {
        OfferWordPad(owner, refusal, fileName, box);
        return false;
    }

    // The box gets wide text made here rather than bytes for the platform to convert: UTF-8 text
    // shows as its characters, and bytes that are no UTF-8 (an old single-byte text, a binary)
    // still show, one character each, instead of all turning into the same replacement mark.
    const std::wstring text = WideFromBytes(TextForBox(std::move(bytes)));
    SetWindowTextW(box, text.c_str());
    // The box must hold the characters one for one: a control that rewrote line breaks or
    // dropped characters would show something other than the file.
    if (static_cast<size_t>(std::max(GetWindowTextLengthW(box), 0)) != text.size()) {
        OfferWordPad(owner, "This is not an ascii file", fileName, box);
        return false;
    }
    return true;
}

bool FileViewer_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == ID_CMDDISPLAY) {
        if (RefuseMistakenName(form.hwnd, form.current.CurrentPath)) return true;
        if (DisplayFile(form.current.CurrentPath, form.current.CurrentAttributes, form.Text2))
            SetText(form.Text3, form.current.CurrentPath);
        return true;
    }
    if (id == ID_CHECK3) {
        ApplyViewerFont(form);
        return true;
    }
    return false;
}
