#include "maps/textureset.h"

#include "project/module1.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// A bound against a folder tree that keeps answering (a loop of links): far more sets than
// anyone ships.
constexpr int kMaxSets = 9999;

} // namespace

TextureSet::TextureSet(QString dataDir, QString setNumber)
    : mDataDir(std::move(dataDir)), mNumber(std::move(setNumber)) {}

TextureSet::TextureSet(const QString& dataDir, int n) : TextureSet(dataDir, mapNumberText(n)) {}

int TextureSet::count(const QString& dataDir) {
    int n = 1;
    while (n <= kMaxSets &&
           !readini(QStringLiteral("texture"), QStringLiteral("nbimg"),
                    TextureSet(dataDir, n).iniPath())
                .isEmpty())
        ++n;
    return n - 1;
}

QString TextureSet::folder() const {
    return mDataDir + QStringLiteral("/images/terrains/terrain") + mNumber;
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

TextureSet::ApplyResult TextureSet::applyTo(const QString& projectDir,
                                            const QString& mapNumber) const {
    if (!QFileInfo(resolvePath(sheetPath())).isFile())
        return ApplyResult::SheetMissing;
    const QString mapImages = projectDir + QStringLiteral("/images/map") + mapNumber;
    QDir().mkpath(resolvePath(mapImages));
    if (!copyFileReplacing(sheetPath(), mapImages + QStringLiteral("/terrain.png")))
        return ApplyResult::CopyFailed;
    if (!ProjectFile(projectDir + QStringLiteral("/projet.ini")).setMapTexture(mapNumber, mNumber))
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
