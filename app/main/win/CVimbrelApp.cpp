#include "CVimbrelApp.h"

#include "CLanguageText.h"
#include "CMainDialog.h"
#include "CameraControllerInstance.h"
#include "DataRoot.h"

namespace vimbrel::mainwindow {
namespace {

// Above Windows major version 5 the program's data lives under the common
// application-data folder; it is made here so the catalogue and the media
// folders find their parent.
void CreateDataFolders() {
    if (!controller::IsWindowsAbove5()) return;
    const std::wstring common = controller::CommonAppDataFolder();
    if (common.empty()) return;
    const std::wstring company = common + L"\\Zavu";
    CreateDirectoryW(company.c_str(), nullptr);
    CreateDirectoryW((company + L"\\Vimbrel2").c_str(), nullptr);
}

}  // namespace

BOOL CVimbrelApp::InitInstance() {
    // The framework's control container and 3-D controls need no start.
    const std::wstring folder = controller::ProgramFolder();
    if (!controller::GetLanguageText().Load((folder + L"\\glossa.dll").c_str(), (folder + L"\\Vimbrel.ini").c_str())) {
        MessageBoxW(nullptr, kLanguageFailureText, kLanguageFailureCaption, MB_ICONWARNING);
        return FALSE;
    }
    CreateDataFolders();
    board_ = std::make_unique<controller::CBoardProductQuery>();

    controller::CCameraController& owner = controller::GetCameraController();
    texts_ = std::make_unique<controller::CLanguageTextStrings>(controller::GetLanguageText());
    children_ = std::make_unique<CMainWindowChildren>(
        owner, controller::GetControllerCatalog(),
        MediaActionServices{prompts_, *texts_, MakeSystemMailClient, folder});
    owner.AttachWindows(*children_);
    capture_ = std::make_unique<CCaptureParts>(owner, children_->MediaActions(), *board_);
    cameraModule_ = std::make_unique<CCameraModuleParts>(owner, controller::GetControllerCatalog(), *board_);
    // Without an engine the window still opens; its engine keys refuse.
    controller::BindCameraEngine();

    CMainDialog dialog(*children_);
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    return FALSE;
}

}  // namespace vimbrel::mainwindow
