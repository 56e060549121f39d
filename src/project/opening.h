#pragma once

#include <QString>

// The project name under which a folder opens: the `nom` of its projet.ini, accepted only
// when appDir/projets/<nom> leads to that very folder, so that every path later built from the
// name lands in it. Empty when the folder cannot be opened.
QString projectNameOfFolder(const QString& appDir, const QString& folder);
