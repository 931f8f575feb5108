// The retries' pause: the calling thread sleeps.
#pragma once

#include "engine/core/RetryWithWait.h"

#include <windows.h>

namespace camera {

class CThreadSleeper : public ISleeper {
public:
    void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace camera
