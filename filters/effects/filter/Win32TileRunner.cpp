#include "Win32TileRunner.h"

namespace lenstint {
namespace {

struct TileJob {
    vimbrel::effects::TileWork work;
    void* context;
    int tile;
};

DWORD WINAPI RunJob(void* parameter) {
    const TileJob* job = static_cast<const TileJob*>(parameter);
    job->work(job->context, job->tile);
    return 0;
}

}  // namespace

void CWin32TileRunner::RunTiles(int count, vimbrel::effects::TileWork work, void* context) {
    CloseHandles();
    TileJob jobs[kMaxWorkers];
    const int threaded = count < kMaxWorkers ? count : kMaxWorkers;
    for (int i = 0; i < threaded; ++i) {
        jobs[i] = TileJob{work, context, i};
        workers_[i].reset(CreateThread(nullptr, 0, &RunJob, &jobs[i], 0, nullptr));
        if (!workers_[i]) {
            work(context, i);  // no thread to be had: this tile runs here
        }
    }
    for (int i = threaded; i < count; ++i) {
        work(context, i);
    }
    for (int i = 0; i < threaded; ++i) {
        if (workers_[i]) {
            WaitForSingleObject(workers_[i].get(), INFINITE);
        }
    }
}

void CWin32TileRunner::CloseHandles() {
    for (winowners::UniqueHandle& worker : workers_) {
        worker.reset();
    }
}

}  // namespace lenstint
