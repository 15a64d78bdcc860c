#pragma once
// Which entries of a folder a name pattern lists, decided in-process, so that one enumeration of
// "*.*" serves both the walk into subfolders and the hits. The answer has to be the one
// FindFirstFileA(folder + pattern) gives, on Windows and under Wine alike; where the two
// platforms' rules part (a "?", a trailing or doubled dot), the pattern is not claimed and the
// caller keeps listing it through the platform.
#include <string_view>

// True when MatchesPattern answers for pattern exactly as the platform lists it: a pattern of
// literal characters and "*" with none of the forms whose reading differs between platforms
// ("?", the DOS wildcards < > ", a dot at the end or after a dot, a space at either end) and
// nothing that names a path or a stream (\ / : |) or a control character.
bool PatternClaimed(std::string_view pattern);

// Whether the platform lists an entry with these names for a claimed pattern: the long name or
// the short (8.3) name, which is empty when the entry has none, matches. "*" takes any run of
// characters, dots included; a rest of dots and stars matches the end of a name, so "a.*"
// lists "a" and "*.*" lists everything; letters compare without case by the platform's wide
// upper case. The answer for a pattern that is not claimed means nothing.
bool MatchesPattern(std::string_view pattern, std::string_view longName, std::string_view shortName);
