#include "player/padrecorder.h"

#include "player/pad.h"

void PadRecorder::record(std::int64_t frame, std::uint32_t buttons) {
    if (buttons == mLast)
        return;
    mLast = buttons;
    if (!mSteps.empty() && mSteps.back().first == frame)
        mSteps.back().second = buttons;
    else
        mSteps.emplace_back(frame, buttons);
}

QByteArray PadRecorder::text(const RecordingHeader& header) const {
    QByteArray out = "# Partie enregistrée par luaplayer ; --buttons ce fichier et --frames "
                     + QByteArray::number(header.frames) + " la rejouent.\n";
    out += "# horloge " + QByteArray::number(header.clockStart) + '\n';
    out += "# images " + QByteArray::number(header.frames) + '\n';
    out += "# changements " + QByteArray::number(header.liveChanges) + '\n';
    for (const auto& [frame, buttons] : mSteps) {
        out += QByteArray::number(frame);
        if (buttons != 0)
            out += ' ' + padButtonNames(buttons);
        out += '\n';
    }
    return out;
}
