#pragma once

#include <QString>

// A project name that stays inside the projects root: not empty, no "/" or "\", not "." or
// "..", not an absolute path.
bool isSafeProjectName(const QString& name);

// Builds a new project folder under appDir/projets from the supplied data: the folder,
// projet.ini, the folder tree, the hero and interface images, the engine scripts, map 01 and
// variables.lua, in that order. Stops at the first failure and leaves what was made so far.
// Refuses an unsafe name or an existing folder without writing anything. True on success.
bool createProject(const QString& appDir, const QString& name, const QString& author);
