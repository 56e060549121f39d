#pragma once

#include <QString>

// The two-line script LuaPlayer starts from: it moves into the project's folder and runs the
// game's own index.lua. The project folder name is inserted unchanged.
QString launcherText(const QString& project);
// The launcher lies in the work folder, where the player starts.
QString launcherPath(const QString& workDir);
// Writes <work folder>/index.lua (with the final CR LF); false when it could not be written.
bool writeLauncher(const QString& workDir, const QString& project);
