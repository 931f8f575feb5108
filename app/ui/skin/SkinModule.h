// The module whose resources hold a skin: the running program, or a skin
// library loaded for the time of one read.
#pragma once

#include "SkinSource.h"
#include "winowners/KernelOwners.h"

#include <windows.h>

namespace vimbrel::ui {

class CSkinModule {
public:
    // Kind 2: the program's own module. Kind 1: LoadLibraryW(source). A
    // folder (kind 0) has no module.
    CSkinModule(SkinSourceKind kind, const wchar_t* source);

    HMODULE Handle() const { return library_ ? library_.get() : own_; }
    bool Ok() const { return Handle() != nullptr; }

    // The bytes of one resource, valid while this object lives. False for a
    // missing resource and for one of size 0.
    bool FindBytes(const wchar_t* name, const wchar_t* type, const void*& data, DWORD& size) const;

private:
    HMODULE own_ = nullptr;
    winowners::UniqueModule library_;
};

}  // namespace vimbrel::ui
