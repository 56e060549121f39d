#include "opening.h"

#include "project/creation.h"
#include "project/module1.h"
#include "project/paths.h"

#include <QFileInfo>

QString projectNameOfFolder(const QString& appDir, const QString& folder) {
    const QString nom =
        readini(QStringLiteral("Jeu"), QStringLiteral("nom"), folder + QStringLiteral("/projet.ini"));
    if (!isSafeProjectName(nom))
        return QString();
    // Later paths go through resolvePath, so compare with the folder that lookup reaches.
    const QString chosen = QFileInfo(folder).canonicalFilePath();
    const QString named = QFileInfo(resolvePath(projectFolder(appDir, nom))).canonicalFilePath();
    if (chosen.isEmpty() || chosen != named)
        return QString();
    return nom;
}
