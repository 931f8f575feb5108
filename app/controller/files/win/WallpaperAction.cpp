#include "FileActions.h"

// The active desktop's declarations need the internet header first.
#include <wininet.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

namespace vimbrel::controller {

namespace {

const CLSID kActiveDesktopClass = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kActiveDesktopInterface = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};

// COM for as long as the object lives; a thread already in another
// apartment keeps it and is not uninitialised here.
class CComApartment {
public:
    CComApartment() : result_(CoInitialize(nullptr)) {}
    ~CComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

bool SetThroughActiveDesktop(const wchar_t* path) {
    CComApartment com;
    if (!com.Usable()) return false;
    Microsoft::WRL::ComPtr<IActiveDesktop> desktop;
    if (FAILED(CoCreateInstance(kActiveDesktopClass, nullptr, CLSCTX_INPROC_SERVER, kActiveDesktopInterface,
                                reinterpret_cast<void**>(desktop.GetAddressOf())))) {
        return false;
    }
    return SUCCEEDED(desktop->SetWallpaper(path, 0)) && SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL));
}

}  // namespace

int SetDesktopWallpaper(const wchar_t* path) {
    if (!path || !*path) return 0;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return 0;
    if (SetThroughActiveDesktop(path)) return 1;
    // Without the active desktop's calls (Wine has the object but not them)
    // the system's own wallpaper setting still does it.
    std::vector<wchar_t> copy(path, path + lstrlenW(path) + 1);
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, copy.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) ? 1
                                                                                                                   : 0;
}

}  // namespace vimbrel::controller
