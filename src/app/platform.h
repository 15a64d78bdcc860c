#pragma once
// The program's one layer of small platform helpers: handles owned by the scope that opened
// them, the platform's "ask for the length, then fill" calls, the texts of failures, and the
// program's own icon.
#include <windows.h>

#include <exception>
#include <string>

// A kernel handle (a file opened with CreateFileA), closed when the scope ends.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (valid()) CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A directory enumeration, closed when the scope ends. The first record is filled on opening.
class ScopedFind {
public:
    ScopedFind(const std::string& pattern, WIN32_FIND_DATAA& record)
        : handle_(FindFirstFileA(pattern.c_str(), &record)) {}
    ~ScopedFind() {
        if (valid()) FindClose(handle_);
    }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool Next(WIN32_FIND_DATAA& record) const { return FindNextFileA(handle_, &record) != 0; }

private:
    HANDLE handle_;
};

// An existing file opened for reading, sharing it with every other user; flags may add a hint
// such as FILE_FLAG_SEQUENTIAL_SCAN.
inline HANDLE OpenForReading(const std::string& path, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

// The platform's two-call texts: call(nullptr, 0) gives the length needed in characters,
// call(buffer, length) fills the buffer and gives the length written. countsZero: both lengths
// count a terminating zero, which is not kept. "" when either call fails.
template <typename Char, typename Call>
std::basic_string<Char> TextOfLength(Call call, bool countsZero) {
    const int length = call(nullptr, 0);
    if (length <= 0) return {};
    std::basic_string<Char> text(static_cast<size_t>(length), Char{});
    const int written = call(text.data(), length);
    if (written <= 0) return {};
    text.resize(static_cast<size_t>(written < length ? written : length));
    if (countsZero && !text.empty() && text.back() == Char{}) text.pop_back();
    return text;
}

// True when text holds one of the platform's pattern characters ("*" or "?"): a find on it
// would answer with whichever entry matches first.
inline bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// The system's description of an error code without its closing line break, or ""
// when the system has none.
std::string SystemErrorText(DWORD code);

// What a failure inside an event handler is shown as: the failure's own text, or "Out of
// memory"; withNumber adds the number the design's boxes give (7 out of memory, else 5).
std::string ExceptionText(const std::exception& failure, bool withNumber);

// The shell's display name of a file, folder or drive root, and its type name when typeName is
// given; the names are "" where the shell has none. Answers SHGetFileInfoA's result (0: failed).
DWORD_PTR ShellNames(const std::string& path, std::string& displayName, std::string* typeName = nullptr);

// The program's icon at size pixels (nullptr when it cannot be loaded); the caller destroys it.
HICON ProgramIcon(HINSTANCE instance, int size);

// A window's device context (the screen's for no window), released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Registers one of the program's window classes unless a class of that name exists already: the
// arrow pointer over the dialog face, with the program's icon at iconSize pixels (0: none).
void RegisterOwnClass(HINSTANCE instance, const char* name, WNDPROC proc, UINT style = 0, int iconSize = 0);
