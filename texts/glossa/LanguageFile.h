#pragma once
// The one language file glossa answers from: its full path, and the text
// read anew from disk on every lookup so an edited file is seen at once.

#include <windows.h>

#include <optional>
#include <string>

namespace vimbrel::texts {

class CLanguageFile {
public:
    // Path buffer of the exported API: 259 characters and the terminator.
    static constexpr DWORD kPathCapacity = MAX_PATH;

    // 1 when path names a file that can be opened for reading; the full
    // path is then kept. 0 leaves the path kept before untouched.
    int SetPath(const wchar_t* path);

    // The text of key in the user-interface language; nullopt when the
    // file cannot be read or the text is missing.
    std::optional<std::u16string> Lookup(const wchar_t* key) const;

private:
    wchar_t path_[kPathCapacity] = {};
};

}  // namespace vimbrel::texts
