// The two named mutexes by which copies of the program know each other:
// "Zavu_Vimbrel" for the life of the process and "Zavu_Vimbrel_Init" until
// the main dialog has finished its start-up.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace vimbrel::mainwindow {

constexpr wchar_t kInstanceMutexName[] = L"Zavu_Vimbrel";
constexpr wchar_t kStartupMutexName[] = L"Zavu_Vimbrel_Init";
constexpr wchar_t kMainWindowCaption[] = L"Vim Brel";

class CInstanceMutexes {
public:
    // Creates (or opens) both, not owned, and notes which existed already.
    CInstanceMutexes();
    ~CInstanceMutexes();
    CInstanceMutexes(const CInstanceMutexes&) = delete;
    CInstanceMutexes& operator=(const CInstanceMutexes&) = delete;

    bool InstanceExisted() const { return instanceExisted_; }
    bool StartupExisted() const { return startupExisted_; }
    // The start-up is over: a later copy may raise this one.
    void EndStartup();
    // Releases the instance mutex; its handle stays open until the
    // process ends, so later copies still find it.
    void ReleaseInstance();

private:
    winowners::UniqueHandle instance_;
    winowners::UniqueHandle startup_;
    bool instanceExisted_ = false;
    bool startupExisted_ = false;
};

// The second-copy rule: when another copy runs, raise and restore its main
// window if it has finished starting, then end this process with code 0.
// Returns only when this is the first copy.
void HandOverToRunningCopy(const CInstanceMutexes& mutexes);

}  // namespace vimbrel::mainwindow
