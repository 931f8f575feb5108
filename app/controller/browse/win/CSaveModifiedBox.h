#pragma once
// The Yes/No/Cancel box before edits of a picture would be lost, owned by
// the main window, in the user's language.

#include <windows.h>

#include <string>

#include "BrowsePorts.h"

namespace vimbrel::controller {

class CSaveModifiedBox final : public ISaveModifiedPrompt {
public:
    void SetOwner(HWND owner) { owner_ = owner; }
    SaveAnswer Ask() override;
    // The question: the language file's text, or an English one when the
    // language file has none.
    static std::wstring QuestionText();

private:
    HWND owner_ = nullptr;
};

}  // namespace vimbrel::controller
