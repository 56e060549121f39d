#pragma once

#include <QString>

struct AppPaths;

// The project name under which a folder opens: the `nom` of its projet.ini, accepted only
// when projets/<nom> of the work folder leads to that very folder, so that every path later built from the
// name lands in it. Empty when the folder cannot be opened.
QString projectNameOfFolder(const AppPaths& paths, const QString& folder);
