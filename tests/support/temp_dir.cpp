#include "support/temp_dir.h"

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>

TempDir::TempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    // Wine hands out the same process ids run after run, so a folder left by a run that was
    // killed may stand under the name: the next serial is taken instead.
    for (int tries = 0;; ++tries) {
        path_ = std::string(base) + "plovnik-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS || tries > 1000) throw std::runtime_error("cannot make " + path_);
    }
}

TempDir::~TempDir() {
    // Attributes set by a test (read-only, hidden) must not stop the clean-up.
    std::string from = path_.substr(0, path_.size() - 1);
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

std::string TempDir::MakeFolder(const std::string& relative) const {
    std::string full = path_;
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('\\', start);
        if (end == std::string::npos) end = relative.size();
        full += relative.substr(start, end - start);
        CreateDirectoryA(full.c_str(), nullptr);
        full += '\\';
        start = end + 1;
    }
    return full;
}

std::string TempDir::MakeFile(const std::string& relative, const std::string& contents) const {
    size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) MakeFolder(relative.substr(0, slash));
    std::string full = path_ + relative;
    HANDLE h = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make " + full);
    DWORD written = 0;
    if (!contents.empty()) WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(h);
    return full;
}
