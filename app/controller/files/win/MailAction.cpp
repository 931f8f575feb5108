#include "ExactAnsi.h"
#include "FileActions.h"
#include "FilePaths.h"
#include "WideText.h"

#include <optional>
#include <string>
#include <vector>

namespace vimbrel::controller {

int MailSelected(IMediaSelection* selection, IFileActionPrompts& prompts, HWND owner, const ILanguageStrings& texts,
                 IMailClient& mail) {
    if (!mail.IsConfigured()) {
        prompts.ShowMessage(owner, CopyToWide(texts.GetString(u"IDS_MSG_MAPINOTINSTALL")), L"Vim Brel");
        return 0;
    }
    if (!mail.Load()) return 0;

    std::optional<std::vector<std::u16string>> files = CollectSelectedFiles(selection);
    if (!files) return 0;

    // The strings live here until the mail program has read them.
    std::vector<std::string> pathNames, fileNames;
    pathNames.reserve(files->size());
    fileNames.reserve(files->size());
    // A path the mail program would read as another file is not sent.
    for (const std::u16string& file : *files) {
        std::optional<std::string> pathName = ToExactAnsi(CopyToWide(file));
        std::optional<std::string> fileName = ToExactAnsi(CopyToWide(FileNamePart(file).value_or(file)));
        if (!pathName || !fileName) return 0;
        pathNames.push_back(std::move(*pathName));
        fileNames.push_back(std::move(*fileName));
    }

    std::vector<MapiFileDesc> attachments(files->size());
    for (std::size_t i = 0; i < attachments.size(); ++i) {
        attachments[i].ulReserved = 0;
        attachments[i].flFlags = 0;
        attachments[i].nPosition = static_cast<ULONG>(-1);
        attachments[i].lpszPathName = pathNames[i].data();
        attachments[i].lpszFileName = fileNames[i].data();
        attachments[i].lpFileType = nullptr;
    }

    MapiMessage message = {};
    message.flFlags = MAPI_RECEIPT_REQUESTED;
    message.nFileCount = static_cast<ULONG>(attachments.size());
    message.lpFiles = attachments.empty() ? nullptr : attachments.data();

    ULONG result = mail.SendMail(message);
    return (result == SUCCESS_SUCCESS || result == MAPI_USER_ABORT) ? 1 : 0;
}

}  // namespace vimbrel::controller
