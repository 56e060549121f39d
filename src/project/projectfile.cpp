#include "project/projectfile.h"

#include "project/module1.h"

#include <algorithm>

namespace {

const QString kJeu = QStringLiteral("Jeu");
const QString kName = QStringLiteral("nom");
const QString kAuthor = QStringLiteral("auteur");
const QString kMaps = QStringLiteral("cartes");
const QString kCombats = QStringLiteral("combats");
const QString kTexture = QStringLiteral("texture");
const QString kVariables = QStringLiteral("Variables");
const QString kVariableCount = QStringLiteral("nombre");
const QString kNumber = QStringLiteral("numero");
const QString kStartValue = QStringLiteral("valeur");

QString mapSection(const QString& nn) { return QStringLiteral("Carte") + nn; }
QString variableSection(int n) { return QStringLiteral("Variable") + QString::number(n); }

int toVisit(const std::optional<int>& count) {
    return count ? std::clamp(*count, 0, kMaxCount) : 0;
}

} // namespace

QString ProjectIni::gameName() const { return mIndex.value(kJeu, kName); }
QString ProjectIni::author() const { return mIndex.value(kJeu, kAuthor); }
QString ProjectIni::mapCountText() const { return mIndex.value(kJeu, kMaps); }
QString ProjectIni::combatsText() const { return mIndex.value(kJeu, kCombats); }
std::optional<int> ProjectIni::mapCount() const { return wholeNumber(mapCountText()); }
int ProjectIni::mapsToVisit() const { return toVisit(mapCount()); }

QString ProjectIni::mapName(const QString& nn) const { return mIndex.value(mapSection(nn), kName); }
QString ProjectIni::mapTexture(const QString& nn) const {
    return mIndex.value(mapSection(nn), kTexture);
}

QStringList ProjectIni::mapNames() const {
    QStringList names;
    const int n = mapsToVisit();
    names.reserve(n);
    for (int i = 1; i <= n; ++i)
        names.append(mapName(mapNumberText(i)));
    return names;
}

QString ProjectIni::variableCountText() const { return mIndex.value(kVariables, kVariableCount); }
std::optional<int> ProjectIni::variableCount() const { return wholeNumber(variableCountText()); }
int ProjectIni::variablesToVisit() const { return toVisit(variableCount()); }
QString ProjectIni::startValue(int n) const { return mIndex.value(variableSection(n), kStartValue); }

QStringList ProjectIni::startValues() const {
    QStringList values;
    const int n = variablesToVisit();
    values.reserve(n);
    for (int i = 1; i <= n; ++i)
        values.append(startValue(i));
    return values;
}

ProjectIni ProjectFile::read() const { return ProjectIni(readfile(mPath)); }

bool ProjectFile::writeNewProject(const QString& name, const QString& author) const {
    const QString keys[][3] = {{kJeu, kName, name},
                               {kJeu, kAuthor, author},
                               {kJeu, QStringLiteral("ver"), QStringLiteral("3.0.0")},
                               {kJeu, kMaps, QStringLiteral("1")},
                               {kJeu, kCombats, QStringLiteral("0")},
                               {mapSection(QStringLiteral("01")), kTexture, QStringLiteral("01")},
                               {mapSection(QStringLiteral("01")), kName, QStringLiteral("Carte 1")},
                               {kVariables, kVariableCount, QStringLiteral("0")}};
    for (const auto& k : keys)
        if (!writeini(k[0], k[1], k[2], mPath))
            return false;
    return true;
}

bool ProjectFile::setMapName(const QString& nn, const QString& name) const {
    return writeini(mapSection(nn), kName, name, mPath);
}

bool ProjectFile::setMapTexture(const QString& nn, const QString& set) const {
    return writeini(mapSection(nn), kTexture, set, mPath);
}

bool ProjectFile::addMapEntry(const QString& nn) const {
    return writeini(mapSection(nn), kTexture, QStringLiteral("01"), mPath) &&
           writeini(mapSection(nn), kName, QStringLiteral("Carte 1"), mPath) &&
           writeini(kJeu, kMaps, nn, mPath);
}

bool ProjectFile::addVariable(int n, const QString& value) const {
    const QString number = QString::number(n);
    return writeini(variableSection(n), kNumber, number, mPath) &&
           writeini(variableSection(n), kStartValue, value, mPath) &&
           writeini(kVariables, kVariableCount, number, mPath);
}

bool ProjectFile::setStartValue(int n, const QString& value) const {
    return writeini(variableSection(n), kStartValue, value, mPath);
}
