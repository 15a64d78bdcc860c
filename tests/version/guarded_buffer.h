#pragma once
// A copy of some bytes that ends exactly where an inaccessible page begins, so that reading
// one byte past the end faults instead of passing unnoticed.
#include <windows.h>

#include <cstring>
#include <span>
#include <vector>

class GuardedBuffer {
public:
    explicit GuardedBuffer(const std::vector<unsigned char>& bytes) : size_(bytes.size()) {
        const size_t page = 4096;
        const size_t dataPages = (size_ + page - 1) / page + 1;
        base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &old);
        data_ = base_ + dataPages * page - size_;
        if (size_) std::memcpy(data_, bytes.data(), size_);
    }
    ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    unsigned char* data() { return data_; }
    std::span<const unsigned char> span() const { return {data_, size_}; }

private:
    unsigned char* base_ = nullptr;
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};
