#include "fileinfo/resource_check.h"

#include "app/platform.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {

// A file read in aligned pieces on demand: the check touches the headers and the resource
// area, a few pieces even of a very large file.
class CachedFile : public FileBytes {
public:
    CachedFile(HANDLE file, uint64_t size) : file_(file), size_(size) {}
    uint64_t Size() const override { return size_; }

    bool Read(uint64_t offset, void* out, size_t length) override {
        if (offset > size_ || length > size_ - offset) return false;
        auto* to = static_cast<unsigned char*>(out);
        while (length) {
            const uint64_t base = offset - offset % Piece;
            const std::vector<unsigned char>* piece = PieceAt(base);
            if (!piece) return false;
            const size_t at = static_cast<size_t>(offset - base);
            if (at >= piece->size()) return false;
            const size_t n = std::min(length, piece->size() - at);
            std::memcpy(to, piece->data() + at, n);
            to += n;
            offset += n;
            length -= n;
        }
        return true;
    }

private:
    static constexpr uint64_t Piece = 64 * 1024;
    static constexpr size_t MaxPieces = 64;

    const std::vector<unsigned char>* PieceAt(uint64_t base) {
        auto found = pieces_.find(base);
        if (found != pieces_.end()) return &found->second;
        if (pieces_.size() >= MaxPieces) pieces_.clear();
        std::vector<unsigned char> bytes(static_cast<size_t>(std::min<uint64_t>(Piece, size_ - base)));
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(base);
        DWORD got = 0;
        if (!SetFilePointerEx(file_, position, nullptr, FILE_BEGIN) ||
            !ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
            return nullptr;
        bytes.resize(got);
        return &pieces_.emplace(base, std::move(bytes)).first->second;
    }

    HANDLE file_;
    uint64_t size_;
    std::map<uint64_t, std::vector<unsigned char>> pieces_;
};


}  // namespace

ResourceSafety CheckFileResources(const std::string& path) {
    ScopedHandle file(OpenForReading(path));
    if (!file.valid()) return {};
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return {};
    // Showing one file asks for its icon count, its first icon and its version in turn: the
    // answer for the same unchanged file is kept rather than read three times.
    struct Answer {
        std::string path;
        DWORD sizeHigh = 0, sizeLow = 0;
        FILETIME written = {};
        ResourceSafety safety;
    };
    static Answer last;
    if (last.path == path && last.sizeHigh == info.nFileSizeHigh && last.sizeLow == info.nFileSizeLow &&
        CompareFileTime(&last.written, &info.ftLastWriteTime) == 0)
        return last.safety;
    const uint64_t size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    CachedFile bytes(file.get(), size);
    last = {path, info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime, CheckResources(bytes)};
    return last.safety;
}
