#include "MailClient.h"

namespace vimbrel::controller {

CSystemMailClient::~CSystemMailClient() = default;

bool CSystemMailClient::IsConfigured() { return GetProfileIntW(L"MAIL", L"MAPI", 0) != 0; }

bool CSystemMailClient::Load() {
    if (m_sendMail) return true;
    wchar_t path[MAX_PATH];
    DWORD length = SearchPathW(nullptr, L"MAPI32.DLL", nullptr, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    m_library.reset(LoadLibraryW(path));
    if (!m_library) return false;
    m_sendMail = reinterpret_cast<LPMAPISENDMAIL>(
        reinterpret_cast<void*>(GetProcAddress(m_library.get(), "MAPISendMail")));
    if (!m_sendMail) {
        m_library.reset();
        return false;
    }
    return true;
}

ULONG CSystemMailClient::SendMail(MapiMessage& message) {
    if (!m_sendMail) return MAPI_E_FAILURE;
    return m_sendMail(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
}

}  // namespace vimbrel::controller
