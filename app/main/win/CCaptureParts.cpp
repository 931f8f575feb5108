#include "CCaptureParts.h"

#include "CaptureFiles.h"
#include "DataRoot.h"
#include "FilePaths.h"
#include "WideText.h"

namespace vimbrel::mainwindow {
namespace {

controller::CaptureFxSetup FxSetup(controller::CCameraController& owner, const controller::CBoardProductQuery& board) {
    controller::CaptureFxSetup setup;
    setup.mainWindow = [&owner] { return static_cast<HWND>(owner.MainWindow()); };
    setup.programFolder = controller::ProgramFolder();
    // The banner is among the program's own resources.
    setup.resources = GetModuleHandleW(nullptr);
    setup.boardProduct = [&board] { return board.Product(); };
    return setup;
}

}  // namespace

CCaptureParts::CCaptureParts(controller::CCameraController& owner, CMediaActions& actions,
                             const controller::CBoardProductQuery& board)
    : owner_(owner),
      actions_(actions),
      fx_(FxSetup(owner, board), acpi_),
      host_(owner, *this, codePage_),
      sequences_(host_, fx_, workers_, sequenceClock_) {
    owner_.AttachMedia(*this);
    owner_.AttachSequences(sequences_);
}

// The workers use the engine and the windows: they end first.
CCaptureParts::~CCaptureParts() { sequences_.StopWorkers(); }

int CCaptureParts::MakeCaptureName(int mediaKind, std::u16string* name) {
    if (name == nullptr) return 0;
    name->clear();
    const std::u16string& folder16 = owner_.MediaFolder(mediaKind);
    if (folder16.empty()) return 0;
    const std::wstring folder = CopyToWide(folder16);
    controller::SettingsBlock block{};
    if (!owner_.CopySettings(&block)) return 0;
    controller::CaptureFileTypes types;
    types.imageFileType = block.imageFileType;
    types.videoFileType = block.videoFileType;
    types.audioFileType = block.audioFileType;
    wchar_t made[controller::kCaptureNameCapacity] = {};
    if (!controller::MakeCaptureName(mediaKind, folder.c_str(), types, localClock_, made)) return 0;
    *name = CopyToU16(made);
    return 1;
}

}  // namespace vimbrel::mainwindow
