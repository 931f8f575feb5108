#include "CRotationPoll.h"

namespace vimbrel::controller {

bool CRotationPoll::Restart(std::function<Step()> makeStep) {
    Stop();
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = false;
    }
    if (!thread_->Start([this, makeStep = std::move(makeStep)] { ModulePollThread(makeStep); })) return false;
    ++starts_;
    return true;
}

void CRotationPoll::Stop() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_->Joinable() && thread_->Join()) ++terminated_;
}

bool CRotationPoll::IsRunning() const { return thread_->Joinable(); }

void CRotationPoll::ModulePollThread(std::function<Step()> makeStep) {
    if (hooks_.enter) hooks_.enter();
    Step step = makeStep();
    std::unique_lock<std::mutex> hold(lock_);
    while (!stop_) {
        hold.unlock();
        step();
        hold.lock();
        wake_.wait_for(hold, period_, [this] { return stop_; });
    }
    hold.unlock();
    if (hooks_.leave) hooks_.leave();
}

}  // namespace vimbrel::controller
