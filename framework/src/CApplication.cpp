#include "framework/CApplication.h"

#include <commctrl.h>

namespace framework {
namespace {
CApplication* current = nullptr;
}

CApplication::CApplication() {
    // One program object per process; a second would steal the first's
    // place silently, so the first one made stays.
    if (!current) current = this;
}

CApplication::~CApplication() {
    if (current == this) current = nullptr;
}

CApplication* CApplication::Current() { return current; }

int CApplication::Run() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) break;
        ProcessMessage(msg);
    }
    if (got == 0) exitCode_ = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void ProcessMessage(MSG& msg) {
    if (WalkPreTranslate(msg, nullptr)) return;
    CApplication* app = CApplication::Current();
    if (app && app->PreTranslateMessage(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool PumpNestedMessage() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) return false;
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    ProcessMessage(msg);
    return true;
}

int RunApplication(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    CApplication* app = CApplication::Current();
    if (!app) return -1;
    app->instance_ = instance;
    app->commandLine_ = commandLine ? commandLine : L"";
    app->showCommand_ = showCommand;

    // Trackbars, tooltips, property sheets and the other common controls
    // every program here uses.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}

}  // namespace framework
