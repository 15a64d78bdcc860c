#pragma once
// Builds version blocks byte by byte in either layout, for the walks, the NE file and the
// robustness test.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vb {

using Bytes = std::vector<unsigned char>;

struct Record {
    std::string key;
    Bytes value;            // raw value bytes (already encoded for text values)
    bool text = false;
    int valueLength = -1;   // stated value length; -1 derives it from the value
    std::vector<Record> children;
};

inline void Put16(Bytes& out, size_t at, unsigned v) {
    out[at] = static_cast<unsigned char>(v & 0xFF);
    out[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

inline void PadFrom(Bytes& out, size_t base) {
    while ((out.size() - base) % 4) out.push_back(0);
}

// wide: 32-bit layout (UTF-16 keys, type word); otherwise the 16-bit layout.
inline Bytes Build(const Record& r, bool wide) {
    Bytes out(wide ? 6 : 4, 0);
    for (char c : r.key) {
        out.push_back(static_cast<unsigned char>(c));
        if (wide) out.push_back(0);
    }
    out.push_back(0);
    if (wide) out.push_back(0);
    PadFrom(out, 0);
    out.insert(out.end(), r.value.begin(), r.value.end());
    for (const Record& child : r.children) {
        PadFrom(out, 0);
        Bytes c = Build(child, wide);
        out.insert(out.end(), c.begin(), c.end());
    }
    Put16(out, 0, static_cast<unsigned>(out.size()));
    unsigned stated = r.valueLength >= 0 ? static_cast<unsigned>(r.valueLength)
                                         : static_cast<unsigned>(r.value.size() / (wide && r.text ? 2 : 1));
    Put16(out, 2, stated);
    if (wide) Put16(out, 4, r.text ? 1 : 0);
    return out;
}

inline Record Text(const std::string& key, const std::string& value, bool wide) {
    Record r{key, {}, true, -1, {}};
    for (char c : value) {
        r.value.push_back(static_cast<unsigned char>(c));
        if (wide) r.value.push_back(0);
    }
    r.value.push_back(0);
    if (wide) r.value.push_back(0);
    return r;
}

struct Strings {
    std::string table;   // "040904E4"
    std::vector<std::pair<std::string, std::string>> entries;
};

inline VS_FIXEDFILEINFO Fixed() {
    VS_FIXEDFILEINFO f{};
    f.dwSignature = 0xFEEF04BD;
    f.dwStrucVersion = 0x00010000;
    f.dwFileVersionMS = 0x00020005;
    f.dwFileVersionLS = 0x00030007;
    f.dwProductVersionMS = 0x0004FFFF;
    f.dwProductVersionLS = 0x80000001;
    f.dwFileFlagsMask = 0x3F;
    f.dwFileFlags = 0x03;
    f.dwFileOS = 0x00000001;
    f.dwFileType = 1;
    return f;
}

// A whole VS_VERSION_INFO block; no translation pairs means no VarFileInfo.
inline Bytes Block(const std::vector<Strings>& tables, const std::vector<std::pair<int, int>>& pairs,
                   bool wide, const VS_FIXEDFILEINFO& fixed = Fixed()) {
    Record root{"VS_VERSION_INFO", {}, false, -1, {}};
    const auto* f = reinterpret_cast<const unsigned char*>(&fixed);
    root.value.assign(f, f + sizeof fixed);
    if (!tables.empty()) {
        Record sfi{"StringFileInfo", {}, true, 0, {}};
        for (const Strings& t : tables) {
            Record table{t.table, {}, true, 0, {}};
            for (const auto& [k, v] : t.entries) table.children.push_back(Text(k, v, wide));
            sfi.children.push_back(table);
        }
        root.children.push_back(sfi);
    }
    if (!pairs.empty()) {
        Record var{"VarFileInfo", {}, true, 0, {}};
        Record tr{"Translation", {}, false, -1, {}};
        for (auto [lang, cp] : pairs) {
            tr.value.push_back(static_cast<unsigned char>(lang & 0xFF));
            tr.value.push_back(static_cast<unsigned char>(lang >> 8));
            tr.value.push_back(static_cast<unsigned char>(cp & 0xFF));
            tr.value.push_back(static_cast<unsigned char>(cp >> 8));
        }
        var.children.push_back(tr);
        root.children.push_back(var);
    }
    return Build(root, wide);
}

// The buffer GetFileVersionInfoA would hand out for a 32-bit block: the data, "FE2X", and
// room for the ANSI copies of its strings.
inline Bytes AsPlatformBuffer(Bytes data) {
    const size_t length = data.size();
    data.resize(2 * length + 4, 0);
    const char sig[] = "FE2X";
    for (int i = 0; i < 4; ++i) data[length + static_cast<size_t>(i)] = static_cast<unsigned char>(sig[i]);
    return data;
}

}  // namespace vb
