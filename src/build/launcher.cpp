#include "build/launcher.h"

#include "project/module1.h"

QString launcherText(const QString& project) {
    return QStringLiteral("System.currentDirectory(\"projets/") + project +
           QStringLiteral("\")\r\ndofile(\"index.lua\")");
}

QString launcherPath(const QString& appDir) { return appDir + QStringLiteral("/index.lua"); }

bool writeLauncher(const QString& appDir, const QString& project) {
    return writefile(launcherText(project), launcherPath(appDir));
}
