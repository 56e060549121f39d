#include "maps/textureset.h"

#include "project/module1.h"
#include "project/paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// A bound against a folder tree that keeps answering (a loop of links): far more sets than
// anyone ships.
constexpr int kMaxSets = 9999;

} // namespace

TextureSet::TextureSet(QString appDir, QString setNumber)
    : mAppDir(std::move(appDir)), mNumber(std::move(setNumber)) {}

TextureSet::TextureSet(const QString& appDir, int n) : TextureSet(appDir, mapNumberText(n)) {}

int TextureSet::count(const QString& appDir) {
    int n = 1;
    while (n <= kMaxSets &&
           !readini(QStringLiteral("texture"), QStringLiteral("nbimg"),
                    TextureSet(appDir, n).iniPath())
                .isEmpty())
        ++n;
    return n - 1;
}

QString TextureSet::folder() const {
    return dataPath(mAppDir, QStringLiteral("/images/terrains/terrain") + mNumber);
}

QString TextureSet::iniPath() const { return folder() + QStringLiteral("/texture.ini"); }

std::optional<int> TextureSet::tileCount() const {
    return wholeNumber(readini(QStringLiteral("texture"), QStringLiteral("nbimg"), iniPath()));
}

int TextureSet::pickerMaximum() const {
    return std::clamp(tileCount().value_or(1), 1, kMaxPickableTiles);
}

QString TextureSet::tilePath(int tile) const {
    return folder() + QStringLiteral("/terrain0") + QString::number(tile) + QStringLiteral(".JPG");
}

QStringList TextureSet::previewPaths() const {
    return {tilePath(1), tilePath(2), tilePath(3), tilePath(4)};
}

QString TextureSet::sheetPath() const { return folder() + QStringLiteral("/terrain01.png"); }

TextureSet::ApplyResult TextureSet::applyTo(const QString& projectName,
                                            const QString& mapNumber) const {
    if (!QFileInfo(resolvePath(sheetPath())).isFile())
        return ApplyResult::SheetMissing;
    const QString mapImages =
        projectFolder(mAppDir, projectName) + QStringLiteral("/images/map") + mapNumber;
    QDir().mkpath(resolvePath(mapImages));
    if (!copyFileReplacing(sheetPath(), mapImages + QStringLiteral("/terrain.png")))
        return ApplyResult::CopyFailed;
    if (!writeini(QStringLiteral("Carte") + mapNumber, QStringLiteral("texture"), mNumber,
                  projectIni(mAppDir, projectName)))
        return ApplyResult::IniFailed;
    return ApplyResult::Applied;
}

QString TextureSet::applyErrorText(ApplyResult result, const QString& mapNumber) {
    switch (result) {
    case ApplyResult::Applied:
        return QString();
    case ApplyResult::SheetMissing:
        return QStringLiteral("Erreur : l'image terrain01.png de cette texture est introuvable, "
                              "la texture de la carte n'a pas été changée.");
    case ApplyResult::CopyFailed:
        return QStringLiteral("Erreur : impossible de copier l'image de la texture dans le "
                              "dossier images/map%1 du projet, la texture de la carte n'a pas "
                              "été changée.")
            .arg(mapNumber);
    case ApplyResult::IniFailed:
        return QStringLiteral("Erreur : impossible d'écrire la texture de la carte dans "
                              "projet.ini.");
    }
    return QString();
}
