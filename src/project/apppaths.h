#pragma once

#include <QString>

// Where the program reads the files it is supplied with and where it writes the user's work.
// Run in place, both are the application folder (the folder of the program): data/, Doc/ and
// luaplayer beside it, projets/ and the test run's launcher written there too.
struct AppPaths {
    QString dataDir;    // templates, pictures and texture sets
    QString docDir;     // the user's guide, index.html
    QString playerPath; // the desktop luaplayer program
    QString workDir;    // projets/ and the launcher index.lua

    static AppPaths inPlace(const QString& appDir);

    QString projectsRoot() const { return workDir + QStringLiteral("/projets"); }
    QString projectFolder(const QString& name) const { return projectsRoot() + u'/' + name; }
    // A supplied file: relative starts with "/" ("/ftgmma.dat").
    QString dataPath(const QString& relative) const { return dataDir + relative; }
    QString guidePath() const { return docDir + QStringLiteral("/index.html"); }
};
