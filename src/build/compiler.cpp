#include "build/compiler.h"

#include "project/cp1252.h"
#include "project/inifile.h"
#include "project/module1.h"
#include "project/paths.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A count of projet.ini: missing, non-numeric or negative is 0; capped so that a damaged
// value cannot exhaust memory or time.
int count(const QString& text) {
    constexpr int kMaxCount = 32767;
    const auto n = wholeNumber(text);
    return n && *n > 0 ? std::min(*n, kMaxCount) : 0;
}

// Event script files of one map folder, found with one listing instead of a lookup per
// cell. Names match exactly first, then ignoring letter case, as readfile would resolve
// them.
class MapFolder {
public:
    explicit MapFolder(const QString& folder) : mFolder(resolvePath(folder)) {
        const QStringList names = QDir(mFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names) {
            mExact.insert(name);
            mFolded.insert(name.toLower(), name); // first one wins, as a lookup would
        }
    }

    // Content of the named file, or the empty text when there is none or it cannot be read.
    // The listing already resolved the name, so the file is opened directly.
    QString read(const QString& name) const {
        if (mExact.contains(name))
            return readExisting(mFolder + u'/' + name);
        const auto it = mFolded.constFind(name.toLower());
        if (it == mFolded.constEnd())
            return QString();
        return readExisting(mFolder + u'/' + *it);
    }

private:
    static QString readExisting(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray bytes = f.readAll();
        return f.error() == QFileDevice::NoError ? fromCp1252(bytes) : QString();
    }

    QString mFolder;
    QSet<QString> mExact;
    QHash<QString, QString> mFolded;
};

} // namespace

GameScripts buildGameScripts(const QString& appDir, const QString& project,
                             BuildSummary* summary) {
    const QString folder = projectFolder(appDir, project);
    const QString ini = readfile(projectIni(appDir, project));
    const QString jeu = QStringLiteral("Jeu");
    const QString mapsText = iniValue(ini, jeu, QStringLiteral("cartes"));
    if (summary) {
        summary->name = project;
        summary->author = iniValue(ini, jeu, QStringLiteral("Auteur"));
        summary->maps = mapsText;
        summary->combats = iniValue(ini, jeu, QStringLiteral("combats"));
    }

    GameScripts out;

    const int variables = count(iniValue(ini, QStringLiteral("Variables"), QStringLiteral("nombre")));
    out.variables = QStringLiteral("--Variables du jeu\r\nvar = {}\r\n");
    for (int i = 1; i <= variables; ++i) {
        const QString value =
            iniValue(ini, QStringLiteral("Variable") + QString::number(i), QStringLiteral("valeur"));
        out.startValues.append(value);
        out.variables += QStringLiteral("var[") + QString::number(i) + QStringLiteral("] = \"") +
                         value + u'"' + kCrLf;
    }

    // The opening of each cell block and the file name of each cell, the same for every map.
    std::array<QString, kEventRows * kEventColumns> openings;
    std::array<QString, kEventRows * kEventColumns> names;
    for (int r = 1; r <= kEventRows; ++r) {
        for (int c = 1; c <= kEventColumns; ++c) {
            const int slot = (r - 1) * kEventColumns + (c - 1);
            openings[slot] = QStringLiteral("\r\n    if ligne == ") + QString::number(r) +
                             QStringLiteral(" and colonne == ") + QString::number(c) +
                             QStringLiteral(" then\r\n    ");
            names[slot] = QStringLiteral("ev") + QString::number(r) + QString::number(c);
        }
    }
    const QString closing = QStringLiteral("\r\n    end\r\n\r\n");

    const int maps = count(mapsText);
    QString& ev = out.events;
    ev.reserve(64 + qsizetype(maps) * kEventRows * kEventColumns * 64);
    ev += QStringLiteral("function runev(colonne,ligne,map)\r\n");
    for (int m = 1; m <= maps; ++m) {
        const QString mm = mapNumberText(m);
        ev += QStringLiteral("if map == \"") + mm + QStringLiteral("\" then\r\n");
        const MapFolder cells(folder + QStringLiteral("/ev/map") + mm);
        for (int slot = 0; slot < kEventRows * kEventColumns; ++slot) {
            const QString content = cells.read(names[slot]);
            ev += openings[slot];
            ev += content;
            ev += closing;
            if (!content.isEmpty())
                out.cells.append({m, slot / kEventColumns + 1, slot % kEventColumns + 1, content});
        }
        ev += QStringLiteral("end\r\n");
    }
    ev += QStringLiteral("\r\nend");
    return out;
}

CompileResult compiler(const QString& appDir, const QString& project) {
    CompileResult result;
    result.scripts = buildGameScripts(appDir, project, &result.summary);
    const QString folder = projectFolder(appDir, project);
    result.variablesPath = folder + QStringLiteral("/variables.lua");
    result.eventsPath = folder + QStringLiteral("/ev.lua");
    result.variablesWritten = writefile(result.scripts.variables, result.variablesPath);
    result.eventsWritten = writefile(result.scripts.events, result.eventsPath);
    return result;
}
