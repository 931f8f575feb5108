#include "ServerRegistration.h"

#include "dshowbase/Registration.h"

#include <string>

namespace standins {
namespace {

HRESULT PointClassAt(REFCLSID clsid, const wchar_t* module) {
    wchar_t guid[40] = {};
    if (StringFromGUID2(clsid, guid, 40) == 0) {
        return E_INVALIDARG;
    }
    const std::wstring path = std::wstring(L"CLSID\\") + guid + L"\\InprocServer32";
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    const DWORD bytes = static_cast<DWORD>((wcslen(module) + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(module), bytes);
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterReplacements(const Replacement* replacements, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const dshowbase::FactoryTemplate& entry = *replacements[i].entry;
        HRESULT hr = dshowbase::RegisterComClass(*entry.clsid, entry.name, L"Both");
        if (SUCCEEDED(hr) && entry.filter != nullptr) {
            hr = dshowbase::RegisterFilter(*entry.clsid, *entry.filter);
        }
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT RestorePlatformClasses(const Replacement* replacements, size_t count) {
    HRESULT first = S_OK;
    for (size_t i = 0; i < count; ++i) {
        const HRESULT hr = PointClassAt(*replacements[i].entry->clsid, replacements[i].platformModule);
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
        }
    }
    return first;
}

}  // namespace standins
