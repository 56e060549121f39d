#pragma once

#include <QString>

// Where the program reads the files it is supplied with and where it writes the user's work.
// Run in place, both are the application folder (the folder of the program): data/, Doc/ and
// luaplayer beside it, projets/ and the test run's launcher written there too. Installed, the
// supplied files lie under the install prefix and the work goes to the user's data folder.
// main() builds the one value with forProgram(); everything else only reads it.
struct AppPaths {
    QString dataDir;    // templates, pictures and texture sets
    QString docDir;     // the user's guide, index.html
    QString playerPath; // the desktop luaplayer program
    QString workDir;    // projets/ and the launcher index.lua

    static AppPaths inPlace(const QString& appDir);
    // The supplied files found from the installed program's folder (share/quendal,
    // share/doc/quendal and luaplayer, as laid out by the install rules); the work in workDir.
    static AppPaths installed(const QString& programDir, const QString& workDir);
    // The paths of the program in programDir. It runs in place when data/ lies beside it (the
    // build's application folder); otherwise it is installed, and its work folder is quendal/
    // in dataHome, the user's data folder.
    static AppPaths forProgram(const QString& programDir, const QString& dataHome);
    // The same with the user's data folder of the desktop ($XDG_DATA_HOME, by default
    // ~/.local/share): what main() uses.
    static AppPaths forProgram(const QString& programDir);

    QString projectsRoot() const { return workDir + QStringLiteral("/projets"); }
    QString projectFolder(const QString& name) const { return projectsRoot() + u'/' + name; }
    // A supplied file: relative starts with "/" ("/ftgmma.dat").
    QString dataPath(const QString& relative) const { return dataDir + relative; }
    QString guidePath() const { return docDir + QStringLiteral("/index.html"); }
};
