#include "LinkContents.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace shortcuttertest {

namespace {

LinkContents Load(const std::string& path) {
    LinkContents contents;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.GetAddressOf())))) {
        return contents;
    }
    ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (FAILED(link.As(&file)) || FAILED(file->Load(wide, STGM_READ))) {
        return contents;
    }
    char text[1024] = {};
    contents.loaded = true;
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        contents.target = text;
    }
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, sizeof(text)))) {
        contents.arguments = text;
    }
    text[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) {
        contents.workingDirectory = text;
    }
    text[0] = '\0';
    if (SUCCEEDED(link->GetDescription(text, sizeof(text)))) {
        contents.description = text;
    }
    text[0] = '\0';
    int index = -1;
    if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index))) {
        contents.iconPath = text;
        contents.iconIndex = index;
    }
    return contents;
}

}  // namespace

LinkContents ReadLink(const std::string& path) {
    const HRESULT com = CoInitialize(nullptr);
    LinkContents contents = Load(path);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return contents;
}

}  // namespace shortcuttertest
