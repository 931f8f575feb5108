#include "FileActions.h"
#include "WideText.h"
#include "winowners/KernelOwners.h"

namespace vimbrel::controller {

namespace {

class CFileHandle {
public:
    explicit CFileHandle(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool Identity(BY_HANDLE_FILE_INFORMATION& info) const {
        return handle_ && GetFileInformationByHandle(handle_.get(), &info);
    }

private:
    winowners::UniqueHandle handle_;
};

// Both names lead to one file: copying it onto itself would at best fail
// and at worst cut it short.
bool IsSameFile(const std::wstring& a, const std::wstring& b) {
    if (lstrcmpiW(a.c_str(), b.c_str()) == 0) return true;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    CFileHandle fileA(a), fileB(b);
    if (!fileA.Identity(infoA) || !fileB.Identity(infoB)) return false;
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}

}  // namespace

int CopySelectedTo(IMediaSelection* selection, HWND owner, IFileActionPrompts& prompts) {
    if (!selection) return 0;
    std::u16string current;
    int kind = kBrowseNone;
    if (!selection->GetCurrentFile(current, kind) || current.empty()) return 0;

    CopyDialogSetup setup = CopyDialogFor(current);
    std::optional<std::wstring> destination = prompts.AskCopyDestination(owner, CopyToWide(setup.filter),
                                                                         CopyToWide(setup.defaultExtension));
    if (!destination || destination->empty()) return 0;

    std::wstring source = CopyToWide(current);
    if (IsSameFile(source, *destination)) return 0;
    return CopyFileW(source.c_str(), destination->c_str(), FALSE) ? 1 : 0;
}

}  // namespace vimbrel::controller
