#pragma once
// The program's texts are UTF-8 (the process's code page). Where a text is cut, measured, cased
// or handed to the platform as wide text, it goes by characters: a code point together with the
// combining marks that follow it, so a cut never splits a sequence or takes an accent from its
// letter. A byte that starts no valid sequence counts as one character of its own.
#include <cstddef>
#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// Text in any code page (the legacy ANSI page of an old file, for one) as wide text.
std::wstring WideFromCodePage(std::string_view text, unsigned codePage);

// True when every byte of text belongs to a well-formed UTF-8 sequence.
bool IsUtf8(std::string_view text);

// Byte offset of the end of the character that starts at `at` (text.size() when at is past it).
size_t NextCharacter(std::string_view text, size_t at);
size_t CharacterCount(std::string_view text);
// The first `count` characters of text (all of it when it has fewer).
std::string FirstCharacters(std::string_view text, size_t count);
// Character number `index` (from 0) of text, or "" past its end.
std::string CharacterAt(std::string_view text, size_t index);

// Bytes as text: every well-formed UTF-8 sequence as its character, every other byte as the
// character Windows-1252 gives it, so bytes that are no UTF-8 still show, one character each.
std::wstring WideFromBytes(std::string_view bytes);
