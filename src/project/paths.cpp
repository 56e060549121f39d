#include "paths.h"

QString projectsRoot(const QString& appDir) { return appDir + QStringLiteral("/projets"); }

QString projectFolder(const QString& appDir, const QString& name) {
    return projectsRoot(appDir) + u'/' + name;
}

QString projectIni(const QString& appDir, const QString& name) {
    return projectFolder(appDir, name) + QStringLiteral("/projet.ini");
}

QString dataPath(const QString& appDir, const QString& relative) {
    return appDir + QStringLiteral("/data") + relative;
}
