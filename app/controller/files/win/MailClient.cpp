#include "MailClient.h"

namespace vimbrel::controller {

CSystemMailClient::~CSystemMailClient() = default;

bool CSystemMailClient::IsConfigured() { return GetProfileIntW(L"MAIL", L"MAPI", 0) != 0; }

bool CSystemMailClient::Load() {
    if (sendMail_) return true;
    wchar_t path[MAX_PATH];
    DWORD length = SearchPathW(nullptr, L"MAPI32.DLL", nullptr, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    library_.reset(LoadLibraryW(path));
    if (!library_) return false;
    sendMail_ = reinterpret_cast<LPMAPISENDMAIL>(
        reinterpret_cast<void*>(GetProcAddress(library_.get(), "MAPISendMail")));
    if (!sendMail_) {
        library_.reset();
        return false;
    }
    return true;
}

ULONG CSystemMailClient::SendMail(MapiMessage& message) {
    if (!sendMail_) return MAPI_E_FAILURE;
    return sendMail_(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
}

}  // namespace vimbrel::controller
