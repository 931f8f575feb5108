// Repeats an attempt a fixed number of times with a pause after every
// failed one (the last included, which is how the hardware retries were
// tuned: a device that needs time gets it even after the final attempt).
#pragma once

namespace camera {

class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void Sleep(unsigned milliseconds) = 0;
};

// Returns the result of the last attempt made.
template <class Attempt, class Succeeded>
auto RetryWithWait(int attempts, unsigned waitMs, ISleeper& sleeper, Attempt attempt, Succeeded succeeded)
    -> decltype(attempt()) {
    decltype(attempt()) result{};
    for (int i = 0; i < attempts; ++i) {
        result = attempt();
        if (succeeded(result)) return result;
        sleeper.Sleep(waitMs);
    }
    return result;
}

}  // namespace camera
