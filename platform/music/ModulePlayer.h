#pragma once
// A tracker module rendered by libxmp at the output's rate, as 16-bit stereo. The module
// decides itself where it jumps back to when it reaches its end; the player reports each
// such pass so that the channel can end the song when it does not loop.

#include <cstdint>
#include <memory>
#include <vector>

namespace Music {

class ModulePlayer {
public:
    // Null when the bytes are no module libxmp reads.
    static std::unique_ptr<ModulePlayer> Load(const std::vector<uint8_t>& bytes, int rate);
    ~ModulePlayer();
    ModulePlayer(const ModulePlayer&) = delete;
    ModulePlayer& operator=(const ModulePlayer&) = delete;

    // Renders up to `frames` frames; fewer when the module reached its end, and then 0
    // until BeginNextPass, after which it goes on from where the module jumped back to.
    int Read(int16_t* out, int frames);
    void BeginNextPass();
    // From the first order again.
    void Restart();
    // Moves to an order (a position in the module's order list) and a row of its pattern.
    bool SetOrder(int order, int row);
    bool SeekMilliseconds(int milliseconds);
    int Order() const { return mOrder; }
    int Row() const { return mRow; }
    int OrderCount() const { return mOrderCount; }

private:
    explicit ModulePlayer(void* context) : mContext(context) {}
    // Renders the next tick into the pending frames; false when the module passed its end.
    bool RenderTick();
    void DropPending();

    void* mContext;
    int mOrderCount = 0;
    int mOrder = 0;
    int mRow = 0;
    int mLoopCount = 0;
    // Frames of the last tick not yet read, and whether that tick began a new pass.
    std::vector<int16_t> mPending;
    size_t mPendingRead = 0;
    bool mPassEnded = false;
};

} // namespace Music
