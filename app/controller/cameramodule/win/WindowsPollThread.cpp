#include "WindowsPollThread.h"

#include <windows.h>

#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {
namespace {

// How long a terminated thread is given to be gone before the stop returns.
constexpr DWORD kAfterTerminateMs = 1000;

class CWindowsPollThread final : public IPollThread {
public:
    explicit CWindowsPollThread(DWORD stopBoundMs) : stopBoundMs_(stopBoundMs) {}
    ~CWindowsPollThread() override { Join(); }
    CWindowsPollThread(const CWindowsPollThread&) = delete;
    CWindowsPollThread& operator=(const CWindowsPollThread&) = delete;

    bool Start(std::function<void()> body) override {
        if (thread_) return false;
        // The thread owns its body: a thread that had to be terminated
        // leaves it behind instead of running in freed memory.
        auto owned = std::make_unique<std::function<void()>>(std::move(body));
        thread_.reset(CreateThread(nullptr, 0, &CWindowsPollThread::Main, owned.get(), 0, nullptr));
        if (!thread_) return false;
        owned.release();
        return true;
    }

    bool Join() override {
        if (!thread_) return false;
        // The poll may set the engine's mirror mode, which can send to a
        // window of the stopping thread: those messages are answered.
        const bool terminated = winowners::StopThread(
            thread_.get(), {stopBoundMs_, winowners::ThreadWait::AnsweringSentMessages, kAfterTerminateMs});
        thread_.reset();
        return terminated;
    }

    bool Joinable() const override { return static_cast<bool>(thread_); }

private:
    static DWORD WINAPI Main(void* parameter) {
        std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
        (*body)();
        return 0;
    }

    DWORD stopBoundMs_;
    winowners::UniqueHandle thread_;
};

}  // namespace

std::unique_ptr<IPollThread> WindowsPollThread(unsigned long stopBoundMs) {
    return std::make_unique<CWindowsPollThread>(static_cast<DWORD>(stopBoundMs));
}

}  // namespace vimbrel::controller
