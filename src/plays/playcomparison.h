#pragma once

// A kept play against its replay: the last screen pixel for pixel, then the map reached, the
// hero's cell and life, and the length of the play.

#include "plays/playrecord.h"

#include <QImage>
#include <QStringList>

struct PlayVerdict {
    bool same = true;
    QStringList differences; // in French, one a sentence
    qint64 differentPixels = 0;
};

PlayVerdict comparePlays(const QImage& expectedScreen, const GameState& expected,
                         const QImage& actualScreen, const GameState& actual);

// Pixels whose colour differs (alpha left out, as the screen shows none); the pictures'
// sizes must be the same.
qint64 differentPixels(const QImage& a, const QImage& b);
