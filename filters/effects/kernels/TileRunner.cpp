#include "kernels/TileRunner.h"

#include <system_error>
#include <thread>
#include <vector>

namespace vimbrel::effects {

void CSerialTileRunner::RunTiles(int count, TileWork work, void* context) {
    for (int tile = 0; tile < count; ++tile) {
        work(context, tile);
    }
}

void CThreadTileRunner::RunTiles(int count, TileWork work, void* context) {
    std::vector<std::thread> threads;
    threads.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int tile = 0; tile < count; ++tile) {
        try {
            threads.emplace_back(work, context, tile);
        } catch (const std::system_error&) {
            work(context, tile);
        }
    }
    // Joining every thread before returning keeps the caller's buffers alive
    // for as long as any worker can read them.
    for (std::thread& t : threads) {
        t.join();
    }
}

}  // namespace vimbrel::effects
