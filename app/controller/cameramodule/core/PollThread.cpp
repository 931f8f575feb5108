#include "PollThread.h"

#include <system_error>
#include <thread>

namespace vimbrel::controller {
namespace {

class CStandardPollThread final : public IPollThread {
public:
    ~CStandardPollThread() override { Join(); }

    bool Start(std::function<void()> body) override {
        try {
            thread_ = std::thread(std::move(body));
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }
    bool Join() override {
        if (thread_.joinable()) thread_.join();
        return false;
    }
    bool Joinable() const override { return thread_.joinable(); }

private:
    std::thread thread_;
};

}  // namespace

std::unique_ptr<IPollThread> StandardPollThread() { return std::make_unique<CStandardPollThread>(); }

}  // namespace vimbrel::controller
