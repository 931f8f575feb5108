// The program object of vimbrel.exe: its start-up loads the language texts,
// makes the data folders, binds the capture engine and runs the main
// dialog; the program ends when the dialog does.
#pragma once

#include "CBoardProductQuery.h"
#include "CCameraModuleParts.h"
#include "CCaptureParts.h"
#include "CMainWindowChildren.h"
#include "FileActionPrompts.h"
#include "SystemPorts.h"
#include "framework/CApplication.h"

#include <memory>

namespace vimbrel::mainwindow {

class CVimbrelApp : public framework::CApplication {
public:
    BOOL InitInstance() override;

private:
    // The media actions' system parts, before everything that uses them.
    controller::CSystemFileActionPrompts prompts_;
    std::unique_ptr<controller::CLanguageTextStrings> texts_;
    // Asked as the program starts; the capture and the camera module read
    // its answer.
    std::unique_ptr<controller::CBoardProductQuery> board_;
    // Outlives the dialog: the controller's own teardown, at the end of the
    // process, still lets go of the windows through it.
    std::unique_ptr<CMainWindowChildren> children_;
    std::unique_ptr<CCaptureParts> capture_;
    std::unique_ptr<CCameraModuleParts> cameraModule_;
};

// The message box's text when the language library or file cannot be used.
constexpr wchar_t kLanguageFailureText[] = L"Multi-Language files are corrupted!\nPlease install Vimbrel2 again";
constexpr wchar_t kLanguageFailureCaption[] = L"Vimbrel2";

}  // namespace vimbrel::mainwindow
