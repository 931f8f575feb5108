// shortcutter.dll: the installer's deferred custom actions that create and
// delete the product's shortcut on the all-users desktop and in the
// all-users start menu. The product name arrives as "CustomActionData".
// Each action returns 0 when it is done and 1 when it failed, as the
// installer counts custom actions.
#include "ProductName.h"
#include "RegistryText.h"
#include "ShellLink.h"
#include "ShortcutPaths.h"
#include "CallGuard.h"

#include <windows.h>
#include <msi.h>

namespace {

using namespace shortcutter;

constexpr UINT kDone = 0;
constexpr UINT kFailed = 1;

const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

enum class Place { Desktop, StartMenu };

const char* ShellFolderValue(Place place) { return place == Place::Desktop ? "Common Desktop" : "Common Programs"; }

std::optional<std::string> LinkPath(Place place, const std::string& folder, const std::string& product) {
    return place == Place::Desktop ? DesktopLinkPath(folder, product) : StartMenuLinkPath(folder, product);
}

bool ReadShellFolder(Place place, std::string* folder) {
    return ReadRegistryText(HKEY_LOCAL_MACHINE, kShellFoldersKey, ShellFolderValue(place), folder);
}

UINT InstallShortcut(MSIHANDLE install, Place place) {
    std::string product;
    if (!ReadProductName(install, &product)) {
        // A debugger watching the install sees why the start-menu
        // shortcut is missing.
        if (place == Place::StartMenu) {
            OutputDebugStringA("MsiGetProperty failed");
        }
        return kFailed;
    }
    std::string folder;
    if (!ReadShellFolder(place, &folder)) {
        return kFailed;
    }
    std::string program;
    if (!ReadRegistryText(HKEY_LOCAL_MACHINE, ProductKeyName(product).c_str(), "Path", &program)) {
        return kFailed;
    }
    const auto link = LinkPath(place, folder, product);
    if (!link) {
        return kFailed;
    }
    if (place == Place::StartMenu) {
        // Usually there already, from this or another of the maker's
        // products; when it cannot be made, the save below says so.
        CreateDirectoryA(StartMenuFolder(folder)->c_str(), nullptr);
    }
    return FAILED(CreateShellLink(program, *link, product)) ? kFailed : kDone;
}

UINT UninstallShortcut(MSIHANDLE install, Place place) {
    std::string product;
    std::string folder;
    if (!ReadProductName(install, &product) || !ReadShellFolder(place, &folder)) {
        return kFailed;
    }
    const auto link = LinkPath(place, folder, product);
    if (!link) {
        return kFailed;
    }
    // A shortcut the user already deleted is no reason to fail the
    // uninstall; the shared start-menu folder stays for the other products.
    DeleteFileA(link->c_str());
    return kDone;
}

}  // namespace

extern "C" UINT __stdcall InstDesktopShortcut(MSIHANDLE install) {
    return boundary::GuardedValue(kFailed, [&] { return InstallShortcut(install, Place::Desktop); });
}

extern "C" UINT __stdcall InstStartMenuShortcut(MSIHANDLE install) {
    return boundary::GuardedValue(kFailed, [&] { return InstallShortcut(install, Place::StartMenu); });
}

extern "C" UINT __stdcall UninstDesktopShortcut(MSIHANDLE install) {
    return boundary::GuardedValue(kFailed, [&] { return UninstallShortcut(install, Place::Desktop); });
}

extern "C" UINT __stdcall UninstStartMenuShortcut(MSIHANDLE install) {
    return boundary::GuardedValue(kFailed, [&] { return UninstallShortcut(install, Place::StartMenu); });
}
