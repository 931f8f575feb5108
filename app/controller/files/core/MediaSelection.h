#pragma once
// What the file actions need from the browse area: the current file and
// the selection of the shown browser. The controller hands in its media
// tabs behind this; a missing browse area is a null pointer.

#include <string>
#include <vector>
#include <optional>

namespace vimbrel::controller {

// The browsers' class of a file: 0 picture, 1 video, 2 audio, -1 none.
enum BrowseFileKind : int { kBrowsePicture = 0, kBrowseVideo = 1, kBrowseAudio = 2, kBrowseNone = -1 };

class IMediaSelection {
public:
    virtual ~IMediaSelection() = default;
    // The current item's full path and kind; false when there is none.
    virtual bool GetCurrentFile(std::u16string& path, int& kind) = 0;
    // index -1: the number of selected items comes back in index. An index
    // 0 .. count - 1 gives that item's path and kind. false otherwise.
    virtual bool GetSelectedFile(int& index, std::u16string& path, int& kind) = 0;
};

// The paths of every selected item in selection order; nullopt when the
// selection is missing or its count cannot be had. Items that cannot be
// read back are left out.
std::optional<std::vector<std::u16string>> CollectSelectedFiles(IMediaSelection* selection);

// The save dialog's filter for a copy of path, "*.ext|*.ext||", with ext the
// extension of its file class (empty for an unknown class), and that
// extension as the dialog's default.
struct CopyDialogSetup {
    std::u16string filter;
    std::u16string defaultExtension;
};
CopyDialogSetup CopyDialogFor(std::u16string_view path);

}  // namespace vimbrel::controller
