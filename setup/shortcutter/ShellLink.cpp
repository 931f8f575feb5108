#include "ShellLink.h"

#include "ShortcutPaths.h"

#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace shortcutter {

namespace {

// The installer runs custom actions on threads of its own; COM is joined
// for the one link and left again, so the installer's thread ends the
// action as it began it.
class CComForOneCall {
public:
    CComForOneCall() : hr_(CoInitialize(nullptr)) {}
    ~CComForOneCall() {
        if (SUCCEEDED(hr_)) {
            CoUninitialize();
        }
    }
    CComForOneCall(const CComForOneCall&) = delete;
    CComForOneCall& operator=(const CComForOneCall&) = delete;
    // A thread in the multithreaded apartment can create the link as well.
    HRESULT Result() const { return hr_ == RPC_E_CHANGED_MODE ? S_OK : hr_; }

private:
    HRESULT hr_;
};

}  // namespace

HRESULT CreateShellLink(const std::string& target, const std::string& linkPath, const std::string& description) {
    CComForOneCall com;
    HRESULT hr = com.Result();
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<IShellLinkA> link;
    hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                          reinterpret_cast<void**>(link.GetAddressOf()));
    if (FAILED(hr)) {
        return hr;
    }
    // A link whose target or description did not take would be saved
    // pointing nowhere and reported as made.
    hr = link->SetPath(target.c_str());
    if (FAILED(hr)) {
        return hr;
    }
    hr = link->SetDescription(description.c_str());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<IPersistFile> file;
    hr = link.As(&file);
    if (FAILED(hr)) {
        return hr;
    }
    wchar_t widePath[kPathChars] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, kPathChars) == 0) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return file->Save(widePath, TRUE);
}

}  // namespace shortcutter
