// The machine state the custom actions read, pointed at the test's own
// folder while a sandbox lives: the all-users desktop and programs folders
// in "Shell Folders", and the products' keys under SOFTWARE\Zavu. What was
// there before is put back, and what the test added is removed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace shortcuttertest {

class CInstallSandbox {
public:
    CInstallSandbox();
    ~CInstallSandbox();
    CInstallSandbox(const CInstallSandbox&) = delete;
    CInstallSandbox& operator=(const CInstallSandbox&) = delete;

    bool Ready() const { return ready_; }
    // Folders under the sandbox (no trailing backslash).
    const std::string& Root() const { return root_; }
    const std::string& Desktop() const { return desktop_; }
    const std::string& Programs() const { return programs_; }

    // "Common Desktop" or "Common Programs": set to folder, or removed.
    bool SetShellFolder(const char* valueName, const std::string& folder);
    bool RemoveShellFolder(const char* valueName);

    // HKLM\SOFTWARE\Zavu\<product> "Path" as text, or as other raw data.
    bool SetProgramPath(const std::string& product, const std::string& path);
    bool SetProgramValue(const std::string& product, DWORD type, const void* data, DWORD size);
    // An empty file standing for the product's program.
    std::string MakeProgram(const std::string& fileName);

private:
    struct SavedValue {
        std::string name;
        std::optional<std::string> text;
    };

    bool RememberShellFolder(const char* valueName);

    bool ready_ = false;
    std::string root_;
    std::string desktop_;
    std::string programs_;
    std::vector<SavedValue> savedShellFolders_;
    std::vector<std::string> productKeys_;
};

// Whether a file or folder exists.
bool Exists(const std::string& path);

}  // namespace shortcuttertest
