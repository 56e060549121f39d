#pragma once

#include "player/wavfile.h"

#include <QByteArray>

// The sounds supplied with Quendal, made from nothing but arithmetic, the same on every run.
namespace soundart {

// The title screen's tune: a module of about 15 seconds that loops.
QByteArray titleTune();

// A short dull knock: the hero walks into a wall.
PcmSound wallSound();

} // namespace soundart
