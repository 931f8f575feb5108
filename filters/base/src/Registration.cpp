#include "dshowbase/Registration.h"
#include "CallGuard.h"
#include "winowners/KernelOwners.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/Module.h"

#include <wrl/client.h>

#include <string>
#include <vector>

namespace dshowbase {
namespace {

std::wstring GuidString(REFCLSID clsid) {
    wchar_t text[40] = {};
    if (StringFromGUID2(clsid, text, 40) == 0) {
        return std::wstring();
    }
    return text;
}

HRESULT SetStringValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    const LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT CreateKey(HKEY parent, const std::wstring& path, winowners::UniqueKey& key) {
    return HRESULT_FROM_WIN32(
        RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr));
}

// RegDeleteTree is not on every system this runs on.
LONG DeleteKeyTree(HKEY parent, const std::wstring& path) {
    winowners::UniqueKey key;
    LONG status = RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, key.put());
    if (status != ERROR_SUCCESS) {
        return status;
    }
    std::vector<std::wstring> children;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        children.emplace_back(name, length);
    }
    key.reset();  // opened only to list the children; closed before the tree goes
    for (const std::wstring& child : children) {
        DeleteKeyTree(parent, path + L"\\" + child);
    }
    return RegDeleteKeyW(parent, path.c_str());
}

// COM for the mapper: initialised here when the caller (regsvr32) did not.
class CComScope {
public:
    CComScope() : result_(CoInitialize(nullptr)) {}
    ~CComScope() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT result_;
};

HRESULT CreateMapper(Microsoft::WRL::ComPtr<IFilterMapper2>* mapper) {
    return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                            reinterpret_cast<void**>(mapper->GetAddressOf()));
}

const CLSID& CategoryOf(const FilterSetup& setup) {
    return setup.category != nullptr ? *setup.category : CLSID_LegacyAmFilterCategory;
}

const REGPINTYPES kVideoAnySubtype = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};

}  // namespace

const PinSetup kVideoTransformPins[2] = {
    {L"Input", false, false, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
    {L"Output", false, true, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
};

HRESULT RegisterComClass(REFCLSID clsid, const wchar_t* name, const wchar_t* threadingModel) {
    const std::wstring guid = GuidString(clsid);
    const std::wstring modulePath = ModulePath();
    if (guid.empty() || modulePath.empty()) {
        return E_FAIL;
    }
    winowners::UniqueKey classKey;
    RETURN_IF_FAILED(CreateKey(HKEY_CLASSES_ROOT, L"CLSID\\" + guid, classKey));
    RETURN_IF_FAILED(SetStringValue(classKey.get(), nullptr, name != nullptr ? name : L""));
    winowners::UniqueKey serverKey;
    RETURN_IF_FAILED(CreateKey(classKey.get(), L"InprocServer32", serverKey));
    RETURN_IF_FAILED(SetStringValue(serverKey.get(), nullptr, modulePath));
    return SetStringValue(serverKey.get(), L"ThreadingModel", threadingModel);
}

HRESULT UnregisterComClass(REFCLSID clsid) {
    const std::wstring guid = GuidString(clsid);
    if (guid.empty()) {
        return E_FAIL;
    }
    const LONG status = DeleteKeyTree(HKEY_CLASSES_ROOT, L"CLSID\\" + guid);
    return (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT RegisterFilter(REFCLSID clsid, const FilterSetup& setup) {
    Microsoft::WRL::ComPtr<IFilterMapper2> mapper;
    RETURN_IF_FAILED(CreateMapper(&mapper));
    // The mapper's pin record wants writable names; keep copies alive for
    // the call.
    std::vector<std::wstring> names;
    names.reserve(setup.pinCount);
    std::vector<REGFILTERPINS> pins(setup.pinCount);
    for (UINT i = 0; i < setup.pinCount; ++i) {
        const PinSetup& pin = setup.pins[i];
        names.emplace_back(pin.name != nullptr ? pin.name : L"");
        pins[i].strName = &names.back()[0];
        pins[i].bRendered = pin.rendered ? TRUE : FALSE;
        pins[i].bOutput = pin.output ? TRUE : FALSE;
        pins[i].bZero = pin.zero ? TRUE : FALSE;
        pins[i].bMany = pin.many ? TRUE : FALSE;
        pins[i].clsConnectsToFilter = pin.connectsToFilter != nullptr ? pin.connectsToFilter : &CLSID_NULL;
        pins[i].strConnectsToPin = pin.connectsToPin;
        pins[i].nMediaTypes = pin.typeCount;
        pins[i].lpMediaType = pin.types;
    }
    REGFILTER2 filter{};
    filter.dwVersion = 1;
    filter.dwMerit = setup.merit;
    filter.cPins = setup.pinCount;
    filter.rgPins = pins.empty() ? nullptr : pins.data();
    return mapper->RegisterFilter(clsid, setup.friendlyName, nullptr, &CategoryOf(setup), nullptr, &filter);
}

HRESULT UnregisterFilter(REFCLSID clsid, const FilterSetup& setup) {
    Microsoft::WRL::ComPtr<IFilterMapper2> mapper;
    RETURN_IF_FAILED(CreateMapper(&mapper));
    HRESULT hr = mapper->UnregisterFilter(&CategoryOf(setup), nullptr, clsid);
    // Not registered is what we wanted anyway.
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == VFW_E_NOT_FOUND) {
        hr = S_OK;
    }
    return hr;
}

HRESULT RegisterServer(const FactoryTemplate* templates, size_t count, bool registering) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CComScope com;
        HRESULT first = S_OK;
        for (size_t i = 0; i < count; ++i) {
            const FactoryTemplate& entry = templates[i];
            if (entry.clsid == nullptr) {
                continue;
            }
            HRESULT hr = S_OK;
            if (registering) {
                hr = RegisterComClass(*entry.clsid, entry.name, L"Both");
                if (SUCCEEDED(hr) && entry.filter != nullptr) {
                    hr = RegisterFilter(*entry.clsid, *entry.filter);
                }
                if (FAILED(hr)) {
                    return hr;
                }
            } else {
                if (entry.filter != nullptr) {
                    hr = UnregisterFilter(*entry.clsid, *entry.filter);
                }
                const HRESULT removed = UnregisterComClass(*entry.clsid);
                if (SUCCEEDED(hr)) {
                    hr = removed;
                }
                if (FAILED(hr) && SUCCEEDED(first)) {
                    first = hr;
                }
            }
        }
        return first;
    });
}

}  // namespace dshowbase
