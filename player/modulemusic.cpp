#include "player/modulemusic.h"

#include "player/mixer.h"

#include <xmp.h>

#include <algorithm>
#include <stdexcept>

ModuleMusic::ModuleMusic(const QByteArray& module, bool loop) : mContext(xmp_create_context()), mLoop(loop) {
    auto* context = static_cast<xmp_context>(mContext);
    if (!context)
        throw std::runtime_error("cannot create a module player");
    if (xmp_load_module_from_memory(context, module.constData(), module.size()) != 0) {
        xmp_free_context(context);
        throw std::runtime_error("not a module that can be played");
    }
    if (xmp_start_player(context, Mixer::kRate, 0) != 0) {
        xmp_release_module(context);
        xmp_free_context(context);
        throw std::runtime_error("cannot start the module player");
    }
}

ModuleMusic::~ModuleMusic() {
    auto* context = static_cast<xmp_context>(mContext);
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
}

bool ModuleMusic::render(std::int16_t* out, int frames) {
    if (mEnded) {
        std::fill_n(out, frames * 2, std::int16_t(0));
        return false;
    }
    // Loop count 1 stops at the end of the song; 0 lets it start over for ever.
    const int status = xmp_play_buffer(static_cast<xmp_context>(mContext), out, frames * 4, mLoop ? 0 : 1);
    mEnded = status != 0;
    return !mEnded;
}
