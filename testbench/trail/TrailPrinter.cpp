// Linked into every test program: installs this program's failure hook at
// start-up, keeps the last steps that failed (from any thread), forgets them
// when a test starts and prints them under a test that fails, oldest first.
// Steps inside DLLs the test loads report to those DLLs' own hooks and do
// not show here.
#include "failtrail/FailTrail.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <mutex>

namespace {

class CFailureTrail {
public:
    void Keep(const failtrail::Failure& failure) {
        std::lock_guard<std::mutex> hold(lock_);
        entries_[next_ % entries_.size()] = failure;
        ++next_;
    }

    void Clear() {
        std::lock_guard<std::mutex> hold(lock_);
        next_ = 0;
    }

    void Print() {
        std::lock_guard<std::mutex> hold(lock_);
        if (next_ == 0) {
            return;
        }
        const std::size_t kept = next_ < entries_.size() ? next_ : entries_.size();
        std::printf("Failed steps before this (oldest first%s):\n", next_ > kept ? ", earlier ones dropped" : "");
        for (std::size_t i = next_ - kept; i < next_; ++i) {
            const failtrail::Failure& entry = entries_[i % entries_.size()];
            std::printf("  %s:%d: 0x%08lX from %s\n", entry.file, entry.line,
                        static_cast<unsigned long>(static_cast<unsigned int>(entry.result)), entry.expression);
        }
        std::fflush(stdout);
    }

private:
    std::mutex lock_;
    std::array<failtrail::Failure, 32> entries_{};
    std::size_t next_ = 0;
};

// Never destroyed: a worker thread may still report while the program ends.
CFailureTrail& Trail() {
    static CFailureTrail* trail = new CFailureTrail;
    return *trail;
}

void KeepFailure(const failtrail::Failure& failure) { Trail().Keep(failure); }

class CTrailPrinter : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { Trail().Clear(); }
    void OnTestEnd(const ::testing::TestInfo& info) override {
        if (info.result() != nullptr && info.result()->Failed()) {
            Trail().Print();
        }
    }
};

[[maybe_unused]] const bool g_installed = [] {
    failtrail::SetHook(&KeepFailure);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CTrailPrinter);
    return true;
}();

}  // namespace
