// Owners for the system's handles outside drawing: kernel objects and
// files, registry keys, loaded modules, searches, icons and menus.
#pragma once

#include "winowners/UniqueOwner.h"

#include <windows.h>

namespace winowners {

// Some calls report failure as null (CreateEvent, CreateThread), others as
// INVALID_HANDLE_VALUE (CreateFile, CreateToolhelp32Snapshot); neither is
// a handle to close, so one owner serves both and its bool test means
// "open" either way.
template <auto CloseFunction>
struct CloseHandleLike {
    using type = HANDLE;
    static constexpr HANDLE empty() noexcept { return nullptr; }
    static bool valid(HANDLE value) noexcept { return value != nullptr && value != INVALID_HANDLE_VALUE; }
    static void close(HANDLE value) noexcept { CloseFunction(value); }
};

using UniqueHandle = UniqueOwner<CloseHandleLike<&::CloseHandle>>;
using UniqueFindHandle = UniqueOwner<CloseHandleLike<&::FindClose>>;
using UniqueChangeNotification = UniqueOwner<CloseHandleLike<&::FindCloseChangeNotification>>;
using UniqueKey = UniqueAny<HKEY, &::RegCloseKey>;
using UniqueModule = UniqueAny<HMODULE, &::FreeLibrary>;
using UniqueIcon = UniqueAny<HICON, &::DestroyIcon>;
using UniqueMenu = UniqueAny<HMENU, &::DestroyMenu>;

}  // namespace winowners
