// The oil painting's workers as plain Windows threads. The handles of one
// frame's workers are kept until the next frame that needs workers, or until
// the runner goes.
#pragma once

#include <windows.h>

#include "kernels/TileRunner.h"
#include "winowners/KernelOwners.h"

namespace lenstint {

class CWin32TileRunner final : public vimbrel::effects::ITileRunner {
public:
    static constexpr int kMaxWorkers = 16;

    CWin32TileRunner() = default;
    ~CWin32TileRunner() override = default;
    CWin32TileRunner(const CWin32TileRunner&) = delete;
    CWin32TileRunner& operator=(const CWin32TileRunner&) = delete;

    // Every tile has finished when this returns: the workers read buffers
    // the caller frees right after, so the wait has no time limit.
    void RunTiles(int count, vimbrel::effects::TileWork work, void* context) override;

private:
    void CloseHandles();

    winowners::UniqueHandle workers_[kMaxWorkers];
};

}  // namespace lenstint
