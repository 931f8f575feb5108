// Texts of the gallery page from the suite's language file, in the section
// of the user's interface language, with the English text as the fallback.
#pragma once

#include <string>

#include "GalleryTables.h"

namespace lenstint {

// The text of label.key in the given section of the ini file; the label's
// English text when the file, the section or the key is missing.
std::wstring ReadLanguageText(const std::wstring& iniPath, const char16_t* section, const GalleryLabel& label);

// The section for this user's interface language.
const char16_t* UserLanguageSection();

}  // namespace lenstint
