#include "build/launcher.h"

#include "project/module1.h"

QString launcherText(const QString& project) {
    return QStringLiteral("System.currentDirectory(\"projets/") + project +
           QStringLiteral("\")\r\ndofile(\"index.lua\")");
}

QString launcherPath(const QString& workDir) { return workDir + QStringLiteral("/index.lua"); }

bool writeLauncher(const QString& workDir, const QString& project) {
    return writefile(launcherText(project), launcherPath(workDir));
}
