#pragma once
// Worker threads that can be asked to stop: each has a stop event its
// sleeps wait on, and a stop waits for the thread within a bound while
// still answering messages sent to this thread (a worker may be sending
// one to a window of ours). Only a worker that does not end within the
// bound is terminated.

#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

#include "SequencePorts.h"

namespace vimbrel::controller {

class CWorkerThreads final : public IWorkerThreads {
public:
    explicit CWorkerThreads(DWORD stopTimeoutMs = 5000) : stopTimeoutMs_(stopTimeoutMs) {}
    ~CWorkerThreads() override { Close(); }
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    bool Start(WorkerKind kind, WorkerBody body) override;
    bool IsRunning(WorkerKind kind) const override;
    void Stop(WorkerKind kind) override;
    void Close() override;
    // Workers whose threads have not ended yet.
    std::size_t LiveCount() const;
    // Workers that had to be terminated.
    int TerminatedCount() const { return terminated_; }

private:
    struct Worker;
    void StopMatching(bool all, WorkerKind kind);
    void ReapEnded();  // with lock_ held

    DWORD stopTimeoutMs_;
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<Worker>> workers_;
    bool closed_ = false;
    int terminated_ = 0;
};

}  // namespace vimbrel::controller
