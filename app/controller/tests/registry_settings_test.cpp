// The settings key in the registry: the branch by Windows version, values
// of the wrong type or size, unterminated and over-long texts, and a first
// start that writes every default as a DWORD. Each test works in a key of
// its own and removes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "EngineTestDoubles.h"
#include "RegistrySettingsStore.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

class RegistrySettingsTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        keyPath_ = L"SOFTWARE\\Zavu\\VimbrelTest" + std::to_wstring(GetCurrentProcessId());
        root_ = GetParam() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        RemoveKey();
    }
    void TearDown() override { RemoveKey(); }
    void RemoveKey() { RegDeleteKeyW(root_, keyPath_.c_str()); }

    // Writes a raw value, bypassing the store.
    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // Reads a raw DWORD, bypassing the store; -1 when it is not one.
    long long RawDword(const wchar_t* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
        DWORD type = 0, value = 0, size = sizeof value;
        LONG read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        return read == ERROR_SUCCESS && type == REG_DWORD ? static_cast<long long>(value) : -1;
    }

    std::wstring keyPath_;
    HKEY root_ = nullptr;
};

TEST_P(RegistrySettingsTest, TheBranchFollowsTheWindowsVersion) {
    CRegistrySettingsStore store(GetParam(), keyPath_);
    EXPECT_EQ(store.Root(), root_);
    EXPECT_EQ(CRegistrySettingsStore(GetParam()).KeyPath(), L"SOFTWARE\\Zavu\\Vimbrel");
    // Written under the chosen branch only.
    ASSERT_TRUE(store.WriteDword(u"256", 1));
    EXPECT_EQ(RawDword(L"256"), 1);
    HKEY other = GetParam() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(other, keyPath_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_P(RegistrySettingsTest, OnlyFourByteDwordsAreSettings) {
    CRegistrySettingsStore store(GetParam(), keyPath_);
    EXPECT_FALSE(store.ReadDword(u"0"));                   // no key yet
    EXPECT_FALSE(store.WriteString(u"VideoDev", u"Cam"));  // strings do not create it
    ASSERT_TRUE(store.WriteDword(u"261", 0xFFFFFFFFu));
    EXPECT_EQ(store.ReadDword(u"261"), 0xFFFFFFFFu);
    EXPECT_FALSE(store.ReadDword(u"262"));

    const wchar_t text[] = L"2";
    PutRaw(L"0", REG_SZ, text, sizeof text);
    const BYTE two[2] = {1, 0};
    PutRaw(L"256", REG_BINARY, two, sizeof two);
    const unsigned long long wide = 3;
    PutRaw(L"257", REG_QWORD, &wide, sizeof wide);
    EXPECT_FALSE(store.ReadDword(u"0"));
    EXPECT_FALSE(store.ReadDword(u"256"));
    EXPECT_FALSE(store.ReadDword(u"257"));
    EXPECT_FALSE(store.ReadString(u"261", 260));  // a DWORD is no name
}

TEST_P(RegistrySettingsTest, NamesAreReadWholeAndAlwaysTerminated) {
    CRegistrySettingsStore store(GetParam(), keyPath_);
    ASSERT_TRUE(store.WriteDword(u"0", 6));
    std::u16string name200(200, u'c');
    ASSERT_TRUE(store.WriteString(u"VideoDev", name200));
    EXPECT_EQ(store.ReadString(u"VideoDev", 260), name200);

    // Stored without a terminator, and longer than the buffer.
    const wchar_t bare[3] = {L'M', L'i', L'c'};
    PutRaw(L"AudioDev", REG_SZ, bare, sizeof bare);
    EXPECT_EQ(store.ReadString(u"AudioDev", 260), std::u16string(u"Mic"));
    std::wstring longName(400, L'x');
    PutRaw(L"VideoDev", REG_SZ, longName.c_str(), static_cast<DWORD>((longName.size() + 1) * 2));
    EXPECT_EQ(store.ReadString(u"VideoDev", 260), std::u16string(259, u'x'));
    EXPECT_FALSE(store.ReadString(u"Missing", 260));
}

TEST_P(RegistrySettingsTest, AFirstStartLeavesEveryDefaultInTheRegistry) {
    CRegistrySettingsStore store(GetParam(), keyPath_);
    ControllerRig rig;
    CControllerSettings settings(rig.engine, store, rig.callbacks, u"C:\\Vimbrel");
    EXPECT_EQ(settings.LoadSettings(), 1);
    EXPECT_EQ(RawDword(L"0"), 6);
    EXPECT_EQ(RawDword(L"256"), 1);
    EXPECT_EQ(RawDword(L"261"), 3);
    EXPECT_EQ(RawDword(L"514"), 4);
    EXPECT_EQ(RawDword(L"4864"), 5);
    EXPECT_EQ(RawDword(L"8192"), 100);
    EXPECT_EQ(RawDword(L"259"), -1);   // resolution: nothing saved, nothing stored
    EXPECT_EQ(RawDword(L"8448"), -1);  // mode

    // A second run reads what the first left, and a name saved meanwhile.
    ASSERT_EQ(settings.SaveSettingValue(kSettingDate, 0), 1);
    ASSERT_EQ(settings.SaveSettingString(u"AudioDev", u"Bench Mic"), 1);
    CControllerSettings again(rig.engine, store, rig.callbacks, u"C:\\Vimbrel");
    again.LoadSettings();
    EXPECT_EQ(again.Block().date, 0);
    EXPECT_EQ(std::u16string(again.Block().audioDev), u"Bench Mic");
}

INSTANTIATE_TEST_SUITE_P(Branches, RegistrySettingsTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "CurrentUser" : "LocalMachine"; });

}  // namespace
