#pragma once

#include "player/luaplayer.h"
#include "player/playerhost.h"

#include <QImage>

// Runs Lua source in a headless player and keeps what the test looks at.
struct LuaRun {
    int status = 0;
    QString error;
    QImage visible; // the shown page, alpha ignored
    QImage back;    // the page being drawn
    std::int64_t frame = 0;
};

inline LuaRun runLua(const QByteArray& source, PlayerOptions options = [] {
    PlayerOptions o;
    o.waitOnError = false;
    return o;
}()) {
    PlayerHost host;
    LuaPlayer player(host, std::move(options));
    LuaRun r;
    r.status = player.runString(source, "=test");
    r.error = player.errorMessage();
    r.visible = player.screen().visible();
    r.back = player.screen().back().pixels();
    r.frame = player.frame();
    return r;
}

inline QImage filledScreen(QRgb color) {
    QImage image(480, 272, QImage::Format_RGB32);
    image.fill(color | 0xFF000000u);
    return image;
}

// The first differing pixel, for a readable failure.
inline QString firstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u))
                return QStringLiteral("pixel (%1, %2): %3 instead of %4")
                    .arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
    return {};
}
