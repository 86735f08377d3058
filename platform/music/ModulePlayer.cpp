#include "platform/music/ModulePlayer.h"

#include <xmp.h>

#include <algorithm>
#include <cstring>

namespace Music {
namespace {

xmp_context Context(void* context) { return static_cast<xmp_context>(context); }

} // namespace

std::unique_ptr<ModulePlayer> ModulePlayer::Load(const std::vector<uint8_t>& bytes, const int rate)
{
    if (bytes.empty())
        return nullptr;
    const xmp_context context = xmp_create_context();
    if (context == nullptr)
        return nullptr;
    if (xmp_load_module_from_memory(context, bytes.data(), static_cast<long>(bytes.size())) != 0) {
        xmp_free_context(context);
        return nullptr;
    }
    std::unique_ptr<ModulePlayer> player(new ModulePlayer(context));
    if (xmp_start_player(context, rate, 0) != 0)
        return nullptr;
    xmp_module_info info{};
    xmp_get_module_info(context, &info);
    player->mOrderCount = info.mod != nullptr ? info.mod->len : 0;
    return player;
}

ModulePlayer::~ModulePlayer()
{
    const xmp_context context = Context(mContext);
    if (xmp_get_player(context, XMP_PLAYER_STATE) == XMP_STATE_PLAYING)
        xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
}

bool ModulePlayer::RenderTick()
{
    const xmp_context context = Context(mContext);
    if (xmp_play_frame(context) != 0)
        return false;
    xmp_frame_info info;
    xmp_get_frame_info(context, &info);
    mOrder = info.pos;
    mRow = info.row;
    const auto* samples = static_cast<const int16_t*>(info.buffer);
    mPending.assign(samples, samples + std::max(info.buffer_size, 0) / static_cast<int>(sizeof(int16_t)));
    mPendingRead = 0;
    if (info.loop_count != mLoopCount) {
        mLoopCount = info.loop_count;
        return false;
    }
    return true;
}

void ModulePlayer::DropPending()
{
    mPending.clear();
    mPendingRead = 0;
    mPassEnded = false;
}

int ModulePlayer::Read(int16_t* out, const int frames)
{
    int done = 0;
    while (done < frames && !mPassEnded) {
        if (mPendingRead == mPending.size()) {
            mPassEnded = !RenderTick();
            continue;
        }
        const size_t frameCount = std::min((mPending.size() - mPendingRead) / 2, static_cast<size_t>(frames - done));
        std::memcpy(out + static_cast<ptrdiff_t>(done) * 2, mPending.data() + mPendingRead, frameCount * 2 * sizeof(int16_t));
        mPendingRead += frameCount * 2;
        done += static_cast<int>(frameCount);
    }
    return done;
}

void ModulePlayer::BeginNextPass() { mPassEnded = false; }

void ModulePlayer::Restart() { SetOrder(0, 0); }

bool ModulePlayer::SetOrder(const int order, const int row)
{
    if (order < 0 || order >= mOrderCount)
        return false;
    const xmp_context context = Context(mContext);
    // The player reports a move to the first order as an error although it makes it, so
    // that move is a restart.
    if (order == 0)
        xmp_restart_module(context);
    else if (xmp_set_position(context, order) < 0)
        return false;
    if (row > 0)
        xmp_set_row(context, row);
    DropPending();
    mOrder = order;
    mRow = row;
    return true;
}

bool ModulePlayer::SeekMilliseconds(const int milliseconds)
{
    if (milliseconds < 0 || xmp_seek_time(Context(mContext), milliseconds) < 0)
        return false;
    DropPending();
    return true;
}

} // namespace Music
