#pragma once

// Replaying a recorded play: the player's arguments, and a replay in the player's window.

#include "plays/recordingstore.h"

#include <QString>
#include <QStringList>

struct AppPaths;
class ProcessService;

// The arguments that replay `play` from the project folder to the same end. Headless, the
// run also writes its last screen and state into `outScreen` and `outState`; in a window,
// the last picture stays until the window is closed.
QStringList replayArguments(const RecordingStore& store, const Recording& play, bool headless,
                            const QString& outScreen = QString(), const QString& outState = QString());

// "Rejouer": builds the game as it is now and replays the play in the player's window, without
// waiting. Empty when the player started, else the French message.
QString replayInWindow(const AppPaths& paths, const QString& project, ProcessService& processes,
                       const Recording& play);
