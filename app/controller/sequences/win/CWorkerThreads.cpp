#include "CWorkerThreads.h"

#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {

struct CWorkerThreads::Worker final : IWorkerContext {
    Worker(WorkerKind k, WorkerBody b) : kind(k), body(std::move(b)) {}
    bool Sleep(int ms) override {
        return WaitForSingleObject(stopEvent.get(), ms > 0 ? static_cast<DWORD>(ms) : 0) == WAIT_TIMEOUT;
    }
    bool StopRequested() const override { return WaitForSingleObject(stopEvent.get(), 0) != WAIT_TIMEOUT; }
    bool Ended() const { return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }

    static DWORD WINAPI Run(void* parameter) {
        // The thread holds its own reference, so the worker outlives it.
        std::shared_ptr<Worker> self = *static_cast<std::shared_ptr<Worker>*>(parameter);
        delete static_cast<std::shared_ptr<Worker>*>(parameter);
        self->body(*self);
        return 0;
    }

    WorkerKind kind;
    WorkerBody body;
    winowners::UniqueHandle thread;
    winowners::UniqueHandle stopEvent;
    DWORD threadId = 0;
};

bool CWorkerThreads::Start(WorkerKind kind, WorkerBody body) {
    std::lock_guard<std::mutex> hold(lock_);
    ReapEnded();
    if (closed_) return false;
    auto worker = std::make_shared<Worker>(kind, std::move(body));
    worker->stopEvent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!worker->stopEvent) return false;
    auto* reference = new std::shared_ptr<Worker>(worker);
    worker->thread.reset(CreateThread(nullptr, 0, &Worker::Run, reference, 0, &worker->threadId));
    if (!worker->thread) {
        delete reference;
        return false;
    }
    workers_.push_back(std::move(worker));
    return true;
}

bool CWorkerThreads::IsRunning(WorkerKind kind) const {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& worker : workers_)
        if (worker->kind == kind && !worker->Ended()) return true;
    return false;
}

std::size_t CWorkerThreads::LiveCount() const {
    std::lock_guard<std::mutex> hold(lock_);
    std::size_t live = 0;
    for (const auto& worker : workers_) live += worker->Ended() ? 0 : 1;
    return live;
}

void CWorkerThreads::ReapEnded() {
    std::vector<std::shared_ptr<Worker>> kept;
    for (auto& worker : workers_)
        if (!worker->Ended()) kept.push_back(std::move(worker));
    workers_.swap(kept);
}

void CWorkerThreads::StopMatching(bool all, WorkerKind kind) {
    std::vector<std::shared_ptr<Worker>> stopping;
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const auto& worker : workers_)
            if (all || worker->kind == kind) {
                SetEvent(worker->stopEvent.get());
                stopping.push_back(worker);
            }
    }
    for (const auto& worker : stopping) {
        // A worker stopping its own kind goes on to its end by itself.
        if (worker->threadId == GetCurrentThreadId()) continue;
        // Only a worker stuck in a call that never returns is terminated.
        if (winowners::StopThread(worker->thread.get(),
                                  {stopTimeoutMs_, winowners::ThreadWait::AnsweringSentMessages, 1000})) {
            std::lock_guard<std::mutex> hold(lock_);
            ++terminated_;
        }
    }
    std::lock_guard<std::mutex> hold(lock_);
    ReapEnded();
}

void CWorkerThreads::Stop(WorkerKind kind) { StopMatching(false, kind); }

void CWorkerThreads::Close() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        closed_ = true;
    }
    StopMatching(true, WorkerKind::Banner);
}

}  // namespace vimbrel::controller
