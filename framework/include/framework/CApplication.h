// The program object: one per process, made as a static instance. The
// program's wWinMain hands control to RunApplication.
#pragma once

#include "framework/CWindow.h"

namespace framework {

class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    static CApplication* Current();

    // FALSE ends the program at once, with ExitInstance's code; TRUE runs
    // the message loop until WM_QUIT.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return exitCode_; }
    // Last in the pre-translation of every message, after the windows'.
    virtual bool PreTranslateMessage(MSG&) { return false; }

    HINSTANCE Instance() const { return instance_; }
    const wchar_t* CommandLine() const { return commandLine_; }
    int ShowCommand() const { return showCommand_; }
    CWindow* MainWindow() const { return mainWindow_; }
    void SetMainWindow(CWindow* window) { mainWindow_ = window; }

private:
    friend int RunApplication(HINSTANCE, const wchar_t*, int);

    HINSTANCE instance_ = nullptr;
    const wchar_t* commandLine_ = L"";
    int showCommand_ = SW_SHOWDEFAULT;
    CWindow* mainWindow_ = nullptr;
    int exitCode_ = 0;
};

// Starts the common controls, then InitInstance, Run and ExitInstance of
// the program object; returns the process exit code (-1 without one).
int RunApplication(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

// Pre-translates one message through its window's objects and the program
// object, and dispatches it unless one of them took it.
void ProcessMessage(MSG& msg);

// One turn of a nested message loop (a modal dialog's, a sheet's): takes the
// next message and processes it. False when the loop must end: the queue
// failed, or the program is quitting, and then the quit is posted again so
// that the outer loop sees it as well.
bool PumpNestedMessage();

}  // namespace framework
