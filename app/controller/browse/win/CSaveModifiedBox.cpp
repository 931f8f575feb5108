#include "CSaveModifiedBox.h"

#include "CLanguageText.h"

namespace vimbrel::controller {

std::wstring CSaveModifiedBox::QuestionText() {
    std::wstring text = GetLanguageText().GetString(L"IDS_MSG_MODIFYSAVE");
    // A language file without the key must not give a box without a question.
    if (text.empty() || text == L"IDS_MSG_MODIFYSAVE") text = L"The picture has changed. Save the changes?";
    return text;
}

SaveAnswer CSaveModifiedBox::Ask() {
    std::wstring text = QuestionText();
    switch (MessageBoxW(owner_, text.c_str(), L"Vim Brel", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return SaveAnswer::Yes;
    case IDNO: return SaveAnswer::No;
    default: return SaveAnswer::Cancel;  // also a box that could not be shown
    }
}

}  // namespace vimbrel::controller
