#include "FileActions.h"
#include "WideText.h"

#include <shellapi.h>

namespace vimbrel::controller {

int StartSlideShow(HWND owner, const std::wstring& programFolder, IFileActionPrompts& prompts,
                   const ILanguageStrings& texts) {
    std::wstring program = programFolder + L"\\flickwand.exe";
    // flickwand reads no command line; "/run" is what it was always given.
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", program.c_str(), L"/run", programFolder.c_str(), SW_SHOW));
    if (result > 32) return 1;
    const char16_t* key = result == SE_ERR_FNF ? u"IDS_MSG_FILENOTFOUND" : u"IDS_MSG_FLICKWANDERROR";
    prompts.ShowMessage(owner, CopyToWide(texts.GetString(key)), L"Vim Brel");
    return 0;
}

}  // namespace vimbrel::controller
