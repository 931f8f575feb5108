#pragma once
// The engine's device names arrive in the system's ANSI code page.

#include "EnginePorts.h"

namespace vimbrel::controller {

class CAnsiCodePage final : public ITextCodePage {
public:
    // nullopt for bytes that are not text in the ANSI code page.
    std::optional<std::u16string> AnsiToWide(std::string_view text) const override;
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override;
};

}  // namespace vimbrel::controller
