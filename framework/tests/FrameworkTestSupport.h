// Steps run one at a time from a modal loop: each comes on a short timer,
// so the queue runs dry between steps as it does between a user's actions.
// A watchdog timer ends a script that stopped moving.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace frameworktest {

constexpr UINT_PTR kStepTimer = 0x7A79;
constexpr UINT_PTR kWatchdogTimer = 0x7A7A;

class CStepScript {
public:
    using Step = std::function<void()>;

    void Add(Step step) { steps_.push_back(std::move(step)); }
    // Schedules the first step on `target`, whose procedure passes WM_TIMER
    // to Handle. `onStuck` runs if the script is not done in
    // `timeoutMs`.
    void Start(HWND target, std::function<void()> onStuck, UINT timeoutMs = 5000);
    // True when `message` was the script's.
    bool Handle(UINT message, WPARAM wParam);
    bool Done() const { return next_ >= steps_.size(); }
    bool TimedOut() const { return timedOut_; }

private:
    std::vector<Step> steps_;
    size_t next_ = 0;
    HWND target_ = nullptr;
    std::function<void()> onStuck_;
    bool timedOut_ = false;
};

// A top-level window of an anonymous class for owner and parent roles.
HWND MakePlainWindow(const wchar_t* title, DWORD style = WS_OVERLAPPEDWINDOW);

}  // namespace frameworktest
