#pragma once
// The engine's capture calls and Simple MAPI take paths in the ANSI code
// page. A character without an exact ANSI form would be replaced ("?" or a
// look-alike) and the path would lead elsewhere, so such text is refused.

#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// text in the ANSI code page; nullopt when a character has no exact form.
std::optional<std::string> ToExactAnsi(std::wstring_view text);

}  // namespace vimbrel::controller
