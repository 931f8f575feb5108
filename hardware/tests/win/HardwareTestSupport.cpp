#include "HardwareTestSupport.h"

#include "chipmill.h"

#include <objbase.h>
#include <shlwapi.h>

#include <cstdio>

namespace hwtest {

namespace {

const wchar_t kDriverKey[] = L"SOFTWARE\\Chipwell";
const wchar_t kDriverSubKey[] = L"SOFTWARE\\Chipwell\\PCCAM\\CWP2STD";
const wchar_t kInstanceRoot[] = L"SOFTWARE\\Vimbrel Tests";

HKEY CreateKey(const std::wstring& path) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << "cannot write HKLM\\" << std::string(path.begin(), path.end());
    return key;
}

void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::wstring InstanceKey(size_t index) {
    wchar_t key[96];
    swprintf(key, 96, L"%ls\\ChipDriver\\%04u", kInstanceRoot, static_cast<unsigned>(index));
    return key;
}

std::wstring ValueName(size_t index) {
    wchar_t name[16];
    swprintf(name, 16, L"ii%04u", static_cast<unsigned>(index));
    return name;
}

}  // namespace

void CChipDriverRegistry::ListInstances(const std::vector<std::wstring>& driverDescs) {
    HKEY driver = CreateKey(kDriverSubKey);
    WriteDword(driver, L"InstanceIndex", static_cast<DWORD>(driverDescs.size()));
    for (size_t i = 0; i < driverDescs.size(); ++i) {
        const std::wstring key = InstanceKey(i + 1);
        WriteString(driver, ValueName(i + 1).c_str(), L"\\Registry\\MACHINE\\" + key + L"\\Settings");
        HKEY instance = CreateKey(key);
        WriteString(instance, L"DriverDesc", driverDescs[i]);
        RegCloseKey(instance);
    }
    RegCloseKey(driver);
}

void CChipDriverRegistry::WriteCountOnly(DWORD count) {
    HKEY driver = CreateKey(kDriverSubKey);
    WriteDword(driver, L"InstanceIndex", count);
    RegCloseKey(driver);
}

void CChipDriverRegistry::ListMissingInstance() {
    HKEY driver = CreateKey(kDriverSubKey);
    WriteDword(driver, L"InstanceIndex", 1);
    WriteString(driver, L"ii0001", L"\\Registry\\MACHINE\\SOFTWARE\\Vimbrel Tests\\Nowhere\\Settings");
    RegCloseKey(driver);
}

void CChipDriverRegistry::Clear() {
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, kDriverKey);
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, kInstanceRoot);
}

std::wstring BinFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::vector<SimChipCall> CallsOf(int device) {
    std::vector<SimChipCall> calls(static_cast<size_t>(SimCameraCallCount(device)));
    for (size_t i = 0; i < calls.size(); ++i) SimCameraCall(device, static_cast<int>(i), &calls[i]);
    return calls;
}

void SimCameraTest::SetUp() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SimCameraReset();
    UNInitialLIB();
}

void SimCameraTest::TearDown() {
    UNInitialLIB();
    SimCameraReset();
    CoUninitialize();
}

}  // namespace hwtest
