#include "fileinfo/find_record.h"

#include "app/platform.h"

#include "app/seams.h"
#include "app/text_case.h"

#include <cstring>

void (*ListedRecordHook)(WIN32_FIND_DATAA& record) = nullptr;

namespace {

// Beyond this many failures in a row the enumeration is taken to be stuck rather than stepping.
constexpr int MaxSkippedInARow = 1024;

bool ConcernsOnlyTheEntry(DWORD error) {
    switch (error) {
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_MORE_DATA:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INSUFFICIENT_BUFFER:
    case ERROR_NO_UNICODE_TRANSLATION:
    case ERROR_INVALID_NAME:
        return true;
    default:
        return false;
    }
}

template <size_t N>
std::string FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return std::string(field, end ? static_cast<const char*>(end) - field : N);
}

bool IsDotName(const std::string& name) { return name == "." || name == ".."; }

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

bool NameCheckActive() { return ListedRecordHook != nullptr || GetACP() != CP_UTF8; }

bool FindOneRecord(const std::string& path, WIN32_FIND_DATAA& record) {
    // A pattern would find whichever entry matches it first.
    if (HasWildcard(path)) return false;
    ScopedFind find(path, record);
    if (!find.valid()) return false;
    AsListed(record);
    return true;
}

bool NameFitsRecord(const WIN32_FIND_DATAA& record) {
    return std::memchr(record.cFileName, '\0', sizeof record.cFileName) != nullptr;
}

bool NextFindEntry(HANDLE find, WIN32_FIND_DATAA& record, FindNextCall next) {
    // Bounded, so that a call which fails without moving on cannot hold the caller for ever.
    for (int tries = 0; tries < MaxSkippedInARow; ++tries) {
        if (next(find, &record)) {
            AsListed(record);
            if (NameFitsRecord(record)) return true;
        } else if (!ConcernsOnlyTheEntry(GetLastError())) {
            return false;
        }
    }
    return false;
}

bool FirstFindEntry(HANDLE find, WIN32_FIND_DATAA& record) {
    if (find == INVALID_HANDLE_VALUE) return false;
    AsListed(record);
    return NameFitsRecord(record) || NextFindEntry(find, record);
}

bool FindsSameEntry(const WIN32_FIND_DATAA& listed, const WIN32_FIND_DATAA* again) {
    return again != nullptr && listed.dwFileAttributes == again->dwFileAttributes &&
           SameTime(listed.ftCreationTime, again->ftCreationTime) &&
           SameTime(listed.ftLastAccessTime, again->ftLastAccessTime) &&
           SameTime(listed.ftLastWriteTime, again->ftLastWriteTime) && listed.nFileSizeHigh == again->nFileSizeHigh &&
           listed.nFileSizeLow == again->nFileSizeLow && FieldText(listed.cFileName) == FieldText(again->cFileName);
}

std::string ReachableName(const std::string& folder, const WIN32_FIND_DATAA& record) {
    std::string longName = FieldText(record.cFileName);
    if (!NameCheckActive() || IsDotName(longName)) return longName;
    for (const std::string& name : {longName, FieldText(record.cAlternateFileName)}) {
        if (name.empty()) continue;
        WIN32_FIND_DATAA again = {};
        const bool found = FindOneRecord(folder + name, again);
        if (FindsSameEntry(record, found ? &again : nullptr)) return name;
    }
    return {};
}

bool NameMistaken(const std::string& path) {
    // Only the last part counts: a path marked with a leading "*" (its file has gone) is no pattern.
    const size_t slash = path.find_last_of('\\');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    // Where names come over whole, a pattern is the user's own and the operations' own tests
    // answer it; elsewhere it is a character the code page lacks.
    if (!NameCheckActive()) return false;
    if (HasWildcard(name)) return true;
    if (name.empty() || IsDotName(name)) return false;
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);

    WIN32_FIND_DATAA reached = {};
    const bool found = FindOneRecord(path, reached);
    // Another entry listed under this name is mistaken for the one the name reaches, unless the
    // lists show it under a name of its own (its short name) that leads back to it.
    WIN32_FIND_DATAA entry = {};
    for (EntryFind all(folder + "*", entry); all.valid(); all.Next(entry)) {
        if (SameTextNoCase(FieldText(entry.cFileName), name) && !FindsSameEntry(entry, found ? &reached : nullptr) &&
            ReachableName(folder, entry).empty())
            return true;
    }
    return false;
}

bool SameEntryReached(const std::string& path, const std::string& otherPath) {
    if (!NameCheckActive() || SameTextNoCase(path, otherPath)) return true;
    WIN32_FIND_DATAA one = {}, other = {};
    return FindOneRecord(path, one) && FindOneRecord(otherPath, other) && FindsSameEntry(one, &other);
}

std::string MistakenNameText(const std::string& path) {
    return "The name '" + path +
           "' is not the file's own name: this system's character set cannot write all of its characters, so it "
           "could stand for another file. Plovnik leaves this file alone.";
}

bool RefuseMistakenName(HWND owner, const std::string& path) {
    if (!NameMistaken(path)) return false;
    ShowMessage(owner, MistakenNameText(path), AppTitle, MB_OK | MB_ICONSTOP);
    return true;
}

EntryFind::EntryFind(const std::string& pattern, WIN32_FIND_DATAA& record)
    : find_(pattern, record), valid_(find_.valid() && FirstFindEntry(find_.get(), record)) {}

bool EntryFind::Next(WIN32_FIND_DATAA& record) {
    valid_ = valid_ && NextFindEntry(find_.get(), record);
    return valid_;
}
