#pragma once
// Texts for the numeric fields of a file's VS_FIXEDFILEINFO and for a string table's code page.
// Pure functions: numbers in, text out.
#include <cstdint>
#include <string>

// " 12" for 0 and more, "-12" below 0: the number form the OS, type and driver texts use.
std::string SignedDecimal(int32_t value);
// Upper-case hexadecimal without leading zeros; a negative value shows its 16-bit two's complement.
std::string Hex16(int16_t value);

// "a.b.c.d" from the four unsigned 16-bit halves, most significant first.
std::string VersionText(int32_t ms, int32_t ls);
std::string FileFlagsText(int32_t flags);
std::string FileOSText(int32_t os);
std::string FileTypeText(int32_t type, int32_t subtype);
std::string CharSetName(int16_t codePage);
