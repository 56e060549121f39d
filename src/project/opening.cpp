#include "opening.h"

#include "project/creation.h"
#include "project/module1.h"
#include "project/apppaths.h"
#include "project/projectfile.h"

#include <QFileInfo>

QString projectNameOfFolder(const AppPaths& paths, const QString& folder) {
    const QString nom = ProjectFile(folder + QStringLiteral("/projet.ini")).read().gameName();
    if (!isSafeProjectName(nom))
        return QString();
    // Later paths go through resolvePath, so compare with the folder that lookup reaches.
    const QString chosen = QFileInfo(folder).canonicalFilePath();
    const QString named = QFileInfo(resolvePath(paths.projectFolder(nom))).canonicalFilePath();
    if (chosen.isEmpty() || chosen != named)
        return QString();
    return nom;
}
