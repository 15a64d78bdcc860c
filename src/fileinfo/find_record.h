#pragma once
// The find record as far as the program may trust it: entries whose names the ANSI record cannot
// carry, and names that do not lead back to the entry they were listed for.
//
// The ...A find calls hand each name over in the active code page. Where that page is UTF-8 a
// name comes over whole, unless it needs more bytes than cFileName holds (255 UTF-16 characters
// may take 765). Where it is an older page, a character the page lacks becomes "?" or a
// look-alike ("ā.txt" becomes "a.txt"), and the name may then be a pattern, name nothing, or
// name another file. The program must never act on such a name.
#include <windows.h>

#include <string>

#include "app/platform.h"

// True when the record's long name ends within its field; a name that fills the whole field
// was cut off and names nothing.
bool NameFitsRecord(const WIN32_FIND_DATAA& record);

// The next entry of find whose name the record carries. A failure that concerns only the entry
// at hand (its name does not fit the record or the code page) steps over that entry instead of
// ending the folder; the end of the folder, any other failure, or too many such failures in a
// row end it. next is FindNextFileA but for tests.
using FindNextCall = BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAA);
bool NextFindEntry(HANDLE find, WIN32_FIND_DATAA& record, FindNextCall next = FindNextFileA);
// After FindFirstFileA: true when record holds an entry to use, having stepped on when the first
// entry's name was cut off.
bool FirstFindEntry(HANDLE find, WIN32_FIND_DATAA& record);

// A directory enumeration that steps over entries the record cannot carry, closed when the scope
// ends. valid(): record holds an entry; Next() moves to the next one, false at the end.
class EntryFind {
public:
    EntryFind(const std::string& pattern, WIN32_FIND_DATAA& record);
    bool valid() const { return valid_; }
    bool Next(WIN32_FIND_DATAA& record);

private:
    ScopedFind find_;
    bool valid_;
};

// True when again, the find on listed's own name (nullptr when it found nothing), gave back the
// entry that was listed: same attributes, times and size, and the same long name.
bool FindsSameEntry(const WIN32_FIND_DATAA& listed, const WIN32_FIND_DATAA* again);

// The name by which the entry record of folder (ending in "\") is reached again: its long name
// when a find on it gives this entry back, else its short name when that does, else "". Where
// the active code page is UTF-8 the long name, without a second find.
std::string ReachableName(const std::string& folder, const WIN32_FIND_DATAA& record);

// True when both paths reach the same entry; where the code page is UTF-8, without a find.
// Used to keep a name that was given over one the record spells differently.
bool SameEntryReached(const std::string& path, const std::string& otherPath);

// True when the last part of path may stand for another entry than the one reached by it: it
// holds a pattern character, or an entry of its folder is listed under that name, is not
// the entry the name reaches, and has no name of its own that leads back to it. Always false
// (no platform call) where the active code page is UTF-8.
bool NameMistaken(const std::string& path);

// For the operations that change or read a file: when path's name is mistaken, tells the user
// so and returns true; the operation then leaves the file alone.
bool RefuseMistakenName(HWND owner, const std::string& path);
std::string MistakenNameText(const std::string& path);

// True when names may come over changed: the active code page is not UTF-8, or a test makes
// the records come over as such a page would. Only then do the checks above make finds.
bool NameCheckActive();

// Every record the functions above (and the program's single finds) hand on passes through it
// when set. Tests set it to rewrite names as an older code page would, which forces the check
// where the code page is UTF-8.
extern void (*ListedRecordHook)(WIN32_FIND_DATAA& record);
// A single find on path, its record as the enumerations would list it.
bool FindOneRecord(const std::string& path, WIN32_FIND_DATAA& record);
inline void AsListed(WIN32_FIND_DATAA& record) {
    if (ListedRecordHook) ListedRecordHook(record);
}
