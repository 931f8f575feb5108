// glossa.dll: user-interface texts by language key, from the language file
// the program names once at start-up.

#include <windows.h>

#include <algorithm>

#include "LanguageFile.h"
#include "LanguageLookup.h"
#include "CallGuard.h"

namespace {
vimbrel::texts::CLanguageFile g_languageFile;
}

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

int __cdecl SetPath(const wchar_t* iniPath) {
    return boundary::GuardedValue(0, [&] { return g_languageFile.SetPath(iniPath); });
}

// out must hold 254 characters; it is written only when a text is found.
int __cdecl GetString(const wchar_t* key, wchar_t* out) {
    if (key == nullptr || out == nullptr) return 0;
    return boundary::GuardedValue(0, [&] {
        std::optional<std::u16string> text = g_languageFile.Lookup(key);
        if (!text || text->size() >= vimbrel::texts::kTextCapacity) return 0;
        std::copy(text->begin(), text->end(), out);
        out[text->size()] = L'\0';
        return 1;
    });
}

}  // extern "C"
