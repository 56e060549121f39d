#pragma once

#include <QString>

#include <atomic>

// Plays a finalised game headless, as the console would start it: from its own folder, with
// nothing of the editor around. The title screen shows, "Nouvelle partie" is chosen and map
// 01 plays for a moment. Returns the empty text when the game ran without a Lua error, else a
// French message with the player's own. A cancel stops the player and gives the empty text.
QString checkExportedGame(const QString& playerPath, const QString& gameFolder,
                          const std::atomic<bool>* cancel = nullptr);

// Frames the check plays, and the buttons it presses (luaplayer --buttons format).
inline constexpr int kCheckFrames = 90;
inline constexpr char kCheckButtons[] = "5 cross\n8\n";
