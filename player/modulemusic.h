#pragma once

#include "player/musicstream.h"

#include <QByteArray>

#include <memory>

// A tracker module (MOD, XM, S3M, IT and the other formats libxmp reads) rendered at the
// mixer's rate.
class ModuleMusic : public MusicStream {
public:
    // Throws std::runtime_error when the bytes are no module libxmp can play.
    ModuleMusic(const QByteArray& module, bool loop);
    ~ModuleMusic() override;
    ModuleMusic(const ModuleMusic&) = delete;
    ModuleMusic& operator=(const ModuleMusic&) = delete;

    bool render(std::int16_t* out, int frames) override;

private:
    void* mContext; // xmp_context
    bool mLoop;
    bool mEnded = false;
};
