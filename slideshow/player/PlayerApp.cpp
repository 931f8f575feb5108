// flickwand.exe: the program object runs the player dialog modally and the
// program ends with it.
#include "CPlayerDialog.h"
#include "framework/CApplication.h"

#include <windows.h>

namespace slideshow {

class CPlayerApp : public framework::CApplication {
public:
    BOOL InitInstance() override {
        CPlayerDialog dialog;
        SetMainWindow(&dialog);
        const INT_PTR result = dialog.DoModal();
        SetMainWindow(nullptr);
        // A player that could not start (no picture, no drawing surface)
        // says so in its exit code.
        exitCode_ = result == -1 ? 1 : 0;
        return FALSE;
    }
    int ExitInstance() override { return exitCode_; }

private:
    int exitCode_ = 0;
};

}  // namespace slideshow

namespace {
slideshow::CPlayerApp g_player;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    return framework::RunApplication(instance, commandLine, showCommand);
}
