#include "LanguageText.h"

#include <windows.h>

namespace lenstint {
namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

std::wstring ReadLanguageText(const std::wstring& iniPath, const char16_t* section, const GalleryLabel& label) {
    wchar_t text[260] = {};
    GetPrivateProfileStringW(Wide(section), Wide(label.key), Wide(label.fallback), text, 260, iniPath.c_str());
    return text;
}

const char16_t* UserLanguageSection() { return EffectLanguageSection(GetUserDefaultUILanguage()); }

}  // namespace lenstint
