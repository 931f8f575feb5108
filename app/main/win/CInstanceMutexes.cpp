#include "CInstanceMutexes.h"

#include "MainWindowRules.h"

namespace vimbrel::mainwindow {

CInstanceMutexes::CInstanceMutexes() {
    instance_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    instanceExisted_ = instance_ && GetLastError() == ERROR_ALREADY_EXISTS;
    startup_.reset(CreateMutexW(nullptr, FALSE, kStartupMutexName));
    startupExisted_ = startup_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

CInstanceMutexes::~CInstanceMutexes() { EndStartup(); }

void CInstanceMutexes::EndStartup() { startup_.reset(); }

void CInstanceMutexes::ReleaseInstance() {
    if (instance_) ReleaseMutex(instance_.get());
}

void HandOverToRunningCopy(const CInstanceMutexes& mutexes) {
    HWND first = mutexes.InstanceExisted() ? FindWindowW(nullptr, kMainWindowCaption) : nullptr;
    switch (DecideStart(mutexes.InstanceExisted(), mutexes.StartupExisted(), first != nullptr)) {
    case StartAction::kRunAsFirst: return;
    case StartAction::kRestoreFirstAndExit:
        // Restoring by show command rather than by rewriting the placement:
        // the same on Windows, and a placement read from another process can
        // come back as the minimized rectangle, which written back would
        // shrink the restored window.
        ShowWindow(first, SW_RESTORE);
        SetForegroundWindow(first);
        break;
    case StartAction::kExitQuietly: break;
    }
    ExitProcess(0);
}

}  // namespace vimbrel::mainwindow
