#include <gtest/gtest.h>

#include <string>

#include "EffectGraph.h"

namespace lenstinttest {
namespace {

std::wstring GuidText(REFGUID id) {
    wchar_t text[40] = {};
    StringFromGUID2(id, text, 40);
    return text;
}

// The value of a key under HKEY_CLASSES_ROOT; empty when it is missing.
std::wstring ClassValue(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t value[512] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::wstring();
    }
    return value;
}

bool ClassKeyExists(REFCLSID id) {
    HKEY key = nullptr;
    const std::wstring path = L"CLSID\\" + GuidText(id);
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The filter mapper's binary description of the filter from the moniker's
// property bag: version, merit, pin count at the start.
bool ReadFilterData(DWORD& merit, DWORD& pins) {
    const ComPtr<IMoniker> moniker = MonikerByFriendlyName(VIMBREL_EFFECT_FILTER_NAME);
    ComPtr<IPropertyBag> bag;
    if (!moniker || FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) return false;
    VARIANT data;
    VariantInit(&data);
    bool found = false;
    if (SUCCEEDED(bag->Read(L"FilterData", &data, nullptr)) && data.vt == (VT_UI1 | VT_ARRAY)) {
        BYTE* bytes = nullptr;
        LONG upper = 0;
        SafeArrayGetUBound(data.parray, 1, &upper);
        if (upper >= 11 && SUCCEEDED(SafeArrayAccessData(data.parray, reinterpret_cast<void**>(&bytes)))) {
            merit = *reinterpret_cast<const DWORD*>(bytes + 4);
            pins = *reinterpret_cast<const DWORD*>(bytes + 8);
            SafeArrayUnaccessData(data.parray);
            found = true;
        }
    }
    VariantClear(&data);
    return found;
}

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

class RegistrationTest : public ComTest {};

TEST_F(RegistrationTest, ListedAsVimbrelEffectWithItsThreeClasses) {
    const ComPtr<IBaseFilter> filter = FilterByFriendlyName(VIMBREL_EFFECT_FILTER_NAME);
    ASSERT_TRUE(filter);
    CLSID id{};
    ASSERT_EQ(S_OK, filter->GetClassID(&id));
    EXPECT_TRUE(IsEqualCLSID(id, CLSID_EffectFilter));

    const std::wstring filterKey = L"CLSID\\" + GuidText(CLSID_EffectFilter);
    EXPECT_EQ(L"Image Effects", ClassValue(filterKey));
    EXPECT_EQ(L"Both", ClassValue(filterKey + L"\\InprocServer32", L"ThreadingModel"));
    const std::wstring server = ClassValue(filterKey + L"\\InprocServer32");
    ASSERT_GE(server.size(), 11u);
    EXPECT_EQ(0, lstrcmpiW(server.c_str() + server.size() - 11, L"lenstint.ax"));
    EXPECT_EQ(L"Special Effects", ClassValue(L"CLSID\\" + GuidText(CLSID_EffectSpecialPage)));
    EXPECT_EQ(L"Simple Effects", ClassValue(L"CLSID\\" + GuidText(CLSID_EffectSimplePage)));

    DWORD merit = 0, pins = 0;
    ASSERT_TRUE(ReadFilterData(merit, pins));
    EXPECT_EQ(0x200000u, merit);
    EXPECT_EQ(2u, pins);
}

TEST_F(RegistrationTest, UnregisteringRemovesEverythingAndRegisteringRestoresIt) {
    HMODULE module = LoadLibraryW(L"lenstint.ax");
    ASSERT_NE(nullptr, module);
    // Through a plain function pointer type, which converts to any other.
    auto unregister = reinterpret_cast<ServerEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllUnregisterServer")));
    auto registerServer = reinterpret_cast<ServerEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(nullptr, unregister);
    ASSERT_NE(nullptr, registerServer);

    ASSERT_EQ(S_OK, unregister());
    EXPECT_FALSE(ClassKeyExists(CLSID_EffectFilter));
    EXPECT_FALSE(ClassKeyExists(CLSID_EffectSpecialPage));
    EXPECT_FALSE(ClassKeyExists(CLSID_EffectSimplePage));
    EXPECT_FALSE(FilterByFriendlyName(VIMBREL_EFFECT_FILTER_NAME));

    ASSERT_EQ(S_OK, registerServer());
    EXPECT_TRUE(ClassKeyExists(CLSID_EffectFilter));
    EXPECT_TRUE(FilterByFriendlyName(VIMBREL_EFFECT_FILTER_NAME));
    FreeLibrary(module);
}

TEST_F(RegistrationTest, BothPagesAreServedByTheModule) {
    for (const CLSID* clsid : {&CLSID_EffectSpecialPage, &CLSID_EffectSimplePage}) {
        ComPtr<IPropertyPage> page;
        EXPECT_EQ(S_OK, CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page)));
    }
}

}  // namespace
}  // namespace lenstinttest
