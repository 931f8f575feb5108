// Class factory, module object count, self-registration and stream
// persistence.
#include "BenchTestSupport.h"
#include "GraphFixture.h"
#include "TestFilters.h"

#include "dshowbase/ClassFactory.h"
#include "dshowbase/Module.h"
#include "dshowbase/PersistStream.h"
#include "dshowbase/Registration.h"

#include <ole2.h>

#include <cstring>
#include <string>

namespace basetest {
namespace {

dshowbase::CUnknown* CreateSink(HRESULT*) { return new CTestSink(); }

dshowbase::CUnknown* CreateRefused(HRESULT* result) {
    *result = E_ACCESSDENIED;
    return nullptr;
}

const REGPINTYPES kVideoAny = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};
const dshowbase::PinSetup kSinkPins[] = {
    {L"In", true, false, false, false, nullptr, nullptr, 1, &kVideoAny},
};
const dshowbase::FilterSetup kSinkSetup = {L"Vimbrel Base Test Sink", MERIT_DO_NOT_USE, nullptr, 1, kSinkPins};
// A class id no real filter has; the test removes it again.
const CLSID CLSID_RegisteredSink = {0x6a3c2e10, 0x0b1d, 0x4c57, {0x9e, 0x51, 0x2f, 0x7d, 0x58, 0xa1, 0xc0, 0x10}};

const dshowbase::FactoryTemplate kTemplates[] = {
    {L"Base test sink", &CLSID_RegisteredSink, &CreateSink, &kSinkSetup},
    {L"Refusing class", &CLSID_TestSource, &CreateRefused, nullptr},
};

class ModuleTest : public ComTest {};

TEST_F(ModuleTest, FactoryCreatesRefusesAndCounts) {
    const LONG before = dshowbase::LiveObjectCount();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, dshowbase::GetClassObject(kTemplates, 2, CLSID_RegisteredSink, IID_IClassFactory,
                                              reinterpret_cast<void**>(factory.GetAddressOf())));
    EXPECT_EQ(S_FALSE, dshowbase::CanUnloadNow());  // the factory is alive

    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter.GetAddressOf())));
    ComPtr<IUnknown> outer;
    factory.As(&outer);
    IUnknown* aggregated = nullptr;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(&aggregated)));
    IDispatch* none = nullptr;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&none)));
    EXPECT_EQ(nullptr, none);

    ComPtr<IClassFactory> refusing;
    ASSERT_EQ(S_OK, dshowbase::GetClassObject(kTemplates, 2, CLSID_TestSource, IID_IClassFactory,
                                              reinterpret_cast<void**>(refusing.GetAddressOf())));
    IUnknown* object = nullptr;
    EXPECT_EQ(E_ACCESSDENIED, refusing->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)));

    IClassFactory* unknown = nullptr;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, dshowbase::GetClassObject(kTemplates, 2, CLSID_TestSink, IID_IClassFactory,
                                                                   reinterpret_cast<void**>(&unknown)));

    filter.Reset();
    outer.Reset();
    refusing.Reset();
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(before, dshowbase::LiveObjectCount());
    EXPECT_EQ(S_FALSE, dshowbase::CanUnloadNow());  // still locked
    dshowbase::LockModule(false);
    if (before == 0) {
        EXPECT_EQ(S_OK, dshowbase::CanUnloadNow());
    }
}

bool CategoryLists(const CLSID& category, const wchar_t* friendlyName) {
    bool listed = false;
    benchtest::ForEachInCategory(category, [&](IMoniker*, IPropertyBag*, const wchar_t* name) {
        listed = std::wstring(name) == friendlyName;
        return !listed;
    });
    return listed;
}

std::wstring ReadClassValue(const std::wstring& subkey) {
    wchar_t value[MAX_PATH] = {};
    LONG size = sizeof(value);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, subkey.c_str(), value, &size) != ERROR_SUCCESS) {
        return std::wstring();
    }
    return value;
}

TEST_F(ModuleTest, RegistrationWritesAndRemovesClassAndFilterEntries) {
    const std::wstring key = L"CLSID\\{6A3C2E10-0B1D-4C57-9E51-2F7D58A1C010}";
    ASSERT_EQ(S_OK, dshowbase::RegisterServer(kTemplates, 1, true));
    EXPECT_EQ(L"Base test sink", ReadClassValue(key));
    EXPECT_EQ(dshowbase::ModulePath(), ReadClassValue(key + L"\\InprocServer32"));
    EXPECT_TRUE(CategoryLists(CLSID_LegacyAmFilterCategory, L"Vimbrel Base Test Sink"));

    ASSERT_EQ(S_OK, dshowbase::RegisterServer(kTemplates, 1, false));
    EXPECT_EQ(L"", ReadClassValue(key));
    EXPECT_FALSE(CategoryLists(CLSID_LegacyAmFilterCategory, L"Vimbrel Base Test Sink"));
    // Unregistering what is not there is not an error.
    EXPECT_EQ(S_OK, dshowbase::RegisterServer(kTemplates, 1, false));
}

class CSettings : public dshowbase::CPersistStream {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return PersistQueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetClassID(CLSID* clsid) override {
        *clsid = CLSID_TestSink;
        return S_OK;
    }
    HRESULT WriteToStream(IStream* stream) override { return WriteInt(stream, value); }
    HRESULT ReadFromStream(IStream* stream) override { return ReadInt(stream, &value); }
    int SizeMax() override { return 48; }
    DWORD GetSoftwareVersion() override { return 3; }
    int value = 0;
};

ComPtr<IStream> StreamHolding(const void* bytes, size_t size) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    ULONG written = 0;
    stream->Write(bytes, static_cast<ULONG>(size), &written);
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::wstring Utf16(const char* text) { return std::wstring(text, text + std::strlen(text)); }

TEST_F(ModuleTest, PersistStreamWritesTwelveCharacterFields) {
    CSettings settings;
    settings.value = -42;
    settings.SetDirty(true);
    EXPECT_EQ(S_OK, settings.IsDirty());

    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()));
    ASSERT_EQ(S_OK, settings.Save(stream.Get(), TRUE));
    EXPECT_EQ(S_FALSE, settings.IsDirty());

    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    ASSERT_EQ(48u, stat.cbSize.QuadPart);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.Get(), &memory);
    const auto* text = static_cast<const WCHAR*>(GlobalLock(memory));
    const std::wstring written(text, text + 24);
    GlobalUnlock(memory);
    EXPECT_EQ(Utf16("00000000003 -0000000042 "), written);

    CSettings loaded;
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, loaded.Load(stream.Get()));
    EXPECT_EQ(3u, loaded.FileVersion());
    EXPECT_EQ(-42, loaded.value);

    ULARGE_INTEGER size{};
    EXPECT_EQ(S_OK, loaded.GetSizeMax(&size));
    EXPECT_EQ(48u, size.QuadPart);
}

TEST_F(ModuleTest, PersistStreamRefusesDamagedStreams) {
    CSettings settings;
    const std::wstring shortField = Utf16("00000");
    EXPECT_EQ(VFW_E_FILE_TOO_SHORT, settings.Load(StreamHolding(shortField.data(), shortField.size() * 2).Get()));
    const std::wstring letters = Utf16("0000000x003 ");
    EXPECT_EQ(VFW_E_INVALID_FILE_FORMAT, settings.Load(StreamHolding(letters.data(), letters.size() * 2).Get()));
    const std::wstring noSpace = Utf16("000000000030");
    EXPECT_EQ(VFW_E_INVALID_FILE_FORMAT, settings.Load(StreamHolding(noSpace.data(), noSpace.size() * 2).Get()));
    const std::wstring tooBig = Utf16("99999999999 ");
    EXPECT_EQ(VFW_E_INVALID_FILE_FORMAT, settings.Load(StreamHolding(tooBig.data(), tooBig.size() * 2).Get()));
    // The version read, but the filter's own field is missing.
    const std::wstring versionOnly = Utf16("00000000000 ");
    EXPECT_EQ(VFW_E_FILE_TOO_SHORT, settings.Load(StreamHolding(versionOnly.data(), versionOnly.size() * 2).Get()));
}

}  // namespace
}  // namespace basetest
