// Steps run on the test's user-interface thread while a modal dialog runs:
// a thread timer ticks every 50 ms, and each step runs once its condition
// holds. A watchdog posts WM_CLOSE to the player when the script stalls, so
// no test can hang on a window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace playertest {

class CPlayerScript {
public:
    using Condition = std::function<bool()>;
    using Action = std::function<void()>;

    // Runs `action` once `ready` holds (checked every tick).
    void When(Condition ready, Action action) { steps_.push_back({std::move(ready), std::move(action), 0}); }
    // Runs `action` after `delayMs` since the previous step ran.
    void After(DWORD delayMs, Action action);
    void Then(Action action) { After(0, std::move(action)); }

    // Starts ticking; `window()` names the window the watchdog closes.
    void Start(std::function<HWND()> window, DWORD timeoutMs = 20000);
    void Stop();
    bool Done() const { return next_ >= steps_.size(); }
    bool TimedOut() const { return timedOut_; }

private:
    struct Step {
        Condition ready;
        Action action;
        DWORD delayMs;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD started_ = 0;
    DWORD lastStepAt_ = 0;
    DWORD timeoutMs_ = 0;
    UINT_PTR timer_ = 0;
    bool timedOut_ = false;
    bool running_ = false;
    std::function<HWND()> window_;
};

// The pixel of a window at (x, y) as 0xRRGGBB.
unsigned WindowPixel(HWND window, int x, int y);

}  // namespace playertest
