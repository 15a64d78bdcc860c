#include "version/fixed_info_text.h"

#include <cstdio>

std::string SignedDecimal(int32_t value) {
    std::string digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}

std::string Hex16(int16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(static_cast<uint16_t>(value)));
    return text;
}

std::string VersionText(int32_t ms, int32_t ls) {
    const uint32_t hi = static_cast<uint32_t>(ms);
    const uint32_t lo = static_cast<uint32_t>(ls);
    return std::to_string(hi >> 16) + "." + std::to_string(hi & 0xFFFF) + "." +
           std::to_string(lo >> 16) + "." + std::to_string(lo & 0xFFFF);
}

std::string FileFlagsText(int32_t flags) {
    static const struct { int32_t bit; const char* text; } names[] = {
        {0x01, "Contains debug information. "},
        {0x02, "PreRelease. "},
        {0x04, "Patched. "},
        {0x08, "Private build. "},
        {0x10, "Resource dynamically allocated. "},
        {0x20, "Special build."},
    };
    std::string text;
    for (const auto& name : names)
        if (flags & name.bit) text += name.text;
    return text.empty() ? "(none)" : text;
}

std::string FileOSText(int32_t os) {
    switch (os) {
    case 0x00010000: return "MS-DOS";
    case 0x00010001: return "DOS-Win16";
    case 0x00010004: return "DOS-Win32";
    case 0x00040000: return "Windows NT";
    case 0x00020000: return "OS/2-16";
    case 0x00030000: return "OS/2-32";
    case 0x00020002: return "OS/2-16 PM-16";
    case 0x00030003: return "OS/2-32 PM-32";
    case 0x00000002: return "16-bit Presentation Manager";
    case 0x00000003: return "32-bit Presentation Manager";
    case 0x00000001: return "16-bit Windows";
    case 0x00000004: return "32-bit Windows";
    case 0x00040004: return "Win32-API on Windows NT";
    case 0x00000000: return "Undefinded or unknown";   // the program's long-standing wording
    default: return "OS type" + SignedDecimal(os);
    }
}

static std::string DriverText(int32_t subtype) {
    switch (subtype) {
    case 1: return "Printer driver";
    case 2: return "Keyboard driver";
    case 3: return "Language driver";
    case 4: return "Display driver";
    case 5: return "Mouse driver";
    case 6: return "Network driver";
    case 7: return "System driver";
    case 8: return "Installable driver";
    case 9: return "Sound driver";
    case 10: return "Comm driver";
    case 11: return "Input method driver";
    case 0: return "Unknown driver";
    default: return "Driver of type" + SignedDecimal(subtype);
    }
}

static std::string FontText(int32_t subtype) {
    switch (subtype) {
    case 1: return "Raster Font";
    case 2: return "Vector Font";
    case 3: return "TrueType Font";
    default: return "Font of type" + SignedDecimal(subtype);
    }
}

std::string FileTypeText(int32_t type, int32_t subtype) {
    switch (type) {
    case 1: return "Application";
    case 2: return "Dynamic link library";
    case 3: return DriverText(subtype);
    case 4: return FontText(subtype);
    case 5: return "Virtual device driver";
    case 7: return "Static link library";
    case 0: return "Unknown File Type";
    default: return "Type" + SignedDecimal(type);
    }
}

std::string CharSetName(int16_t codePage) {
    switch (codePage) {
    case 0: return "Seven-bit ASCII";
    case 932: return "Windows - Japan";
    case 949: return "Windows - Korea";
    case 950: return "Windows - Taiwan";
    case 1200: return "Unicode";
    case 1250: return "Windows - Latin (Eastern Europe)";
    case 1251: return "Windows - Cyrillic";
    case 1252: return "Windows - Multilingual (U.S. Standard)";
    case 1253: return "Windows - Greek";
    case 1254: return "Windows - Turkish";
    case 1255: return "Windows - Hebrew";
    case 1256: return "Windows - Arabic";
    default: return "(unknown: " + Hex16(codePage) + ")";
    }
}
