#pragma once

#include <QString>

// Paths of the application folder and of a project folder. Project paths are built by plain
// concatenation of the application folder, "/projets/", the project folder name and a
// relative part starting with "/".
QString projectsRoot(const QString& appDir);
QString projectFolder(const QString& appDir, const QString& name);
QString projectIni(const QString& appDir, const QString& name);
QString dataPath(const QString& appDir, const QString& relative);
