#include "SkinModule.h"

namespace vimbrel::ui {

CSkinModule::CSkinModule(SkinSourceKind kind, const wchar_t* source) {
    if (kind == SkinSourceKind::OwnResources) {
        own_ = GetModuleHandleW(nullptr);
    } else if (kind == SkinSourceKind::Library && source && *source) {
        library_.reset(LoadLibraryW(source));
    }
}

bool CSkinModule::FindBytes(const wchar_t* name, const wchar_t* type, const void*& data, DWORD& size) const {
    data = nullptr;
    size = 0;
    HMODULE module = Handle();
    if (!module || !name || !type) return false;
    HRSRC info = FindResourceW(module, name, type);
    if (!info) return false;
    DWORD bytes = SizeofResource(module, info);
    if (bytes == 0) return false;
    HGLOBAL loaded = LoadResource(module, info);
    if (!loaded) return false;
    const void* locked = LockResource(loaded);
    if (!locked) return false;
    data = locked;
    size = bytes;
    return true;
}

}  // namespace vimbrel::ui
