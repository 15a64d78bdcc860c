#pragma once
// Checks the resource structure of a program or library before the platform is asked for its
// icons or its version resource. The platform's icon extraction and version loading follow the
// offsets and sizes in the file without checking them against the file, so a truncated or
// damaged file makes them read outside it and fault. A file that fails here is shown as one
// without icons or without a version resource.
#include <cstdint>
#include <span>
#include <string>

// The bytes of a file as the check asks for them. Read fills out with length bytes from offset
// and is false when not all of them lie inside the file.
class FileBytes {
public:
    virtual ~FileBytes() = default;
    virtual uint64_t Size() const = 0;
    virtual bool Read(uint64_t offset, void* out, size_t length) = 0;
};

// The bytes held in memory (tests, the fuzz target).
class SpanBytes : public FileBytes {
public:
    explicit SpanBytes(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    bool Read(uint64_t offset, void* out, size_t length) override;

private:
    std::span<const unsigned char> bytes_;
};

// Whether the platform may be asked: true for a file whose layout it does not walk (not a
// program, library or icon file) and for one whose structure down to the entries it reads lies
// inside the file.
struct ResourceSafety {
    bool icons = true;     // ExtractIconA
    bool version = true;   // GetFileVersionInfoSizeA / GetFileVersionInfoA
};

// The pure check over the file's bytes: the MZ header, then the PE headers, section table and
// resource directory down to the icon group, icon and version entries, or the NE resource
// table, or an icon file's directory. Reads only the headers and the parts of the resource
// area the platform would read.
ResourceSafety CheckResources(FileBytes& file);

// CheckResources on the file at path, read through a small cache of file pieces. A file that
// cannot be opened gets both true: the platform then fails to open it in the same way.
ResourceSafety CheckFileResources(const std::string& path);
