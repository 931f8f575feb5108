#include "ImageFolder.h"

#include "SkinConfigReader.h"

#include <windows.h>
#include <shlobj.h>

namespace slideshow {

namespace {

unsigned WindowsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

}  // namespace

std::wstring PlayerDataRoot() {
    if (WindowsMajorVersion() > 5) {
        wchar_t folder[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                    folder))) {
            return std::wstring();
        }
        return std::wstring(folder) + L"\\Zavu\\Vimbrel2";
    }
    return vimbrel::ui::ProgramFolder();
}

std::wstring PlayerImageFolder() {
    const std::wstring root = PlayerDataRoot();
    return root.empty() ? std::wstring() : root + L"\\Vimbrel\\Image";
}

}  // namespace slideshow
