#pragma once
// Runs the independent tiles of one frame (the oil painting splits a frame
// into 4 or 16). Every tile has finished when RunTiles returns.

namespace vimbrel::effects {

using TileWork = void (*)(void* context, int tile);

class ITileRunner {
public:
    virtual ~ITileRunner() = default;
    virtual void RunTiles(int count, TileWork work, void* context) = 0;
};

// One tile after another on the calling thread.
class CSerialTileRunner final : public ITileRunner {
public:
    void RunTiles(int count, TileWork work, void* context) override;
};

// One thread a tile; a tile whose thread cannot start runs on the caller.
class CThreadTileRunner final : public ITileRunner {
public:
    void RunTiles(int count, TileWork work, void* context) override;
};

}  // namespace vimbrel::effects
