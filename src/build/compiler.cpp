#include "build/compiler.h"

#include "project/cp1252.h"
#include "project/mapgrid.h"
#include "project/module1.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

using mapgrid::kColumns;
using mapgrid::kEventRows;

// Event script files of one map folder, found with one listing instead of a lookup per
// cell. Names match exactly first, then ignoring letter case, as readfile would resolve
// them. Only regular files of the folder are read: a link (which may lead out of the
// project) or a named pipe (which would block) is skipped and named in `skipped`.
class MapFolder {
public:
    explicit MapFolder(const QString& folder) : mFolder(resolvePath(folder)) {
        const QStringList names =
            QDir(mFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                    QDir::System);
        for (const QString& name : names) {
            mExact.insert(name);
            mFolded.insert(name.toLower(), name); // first one wins, as a lookup would
        }
    }

    // Content of the named file, or the empty text when there is none or it cannot be read.
    QString read(const QString& name, QStringList& skipped) const {
        QString found;
        if (mExact.contains(name))
            found = name;
        else if (const auto it = mFolded.constFind(name.toLower()); it != mFolded.constEnd())
            found = *it;
        if (found.isEmpty())
            return QString();
        const QString path = mFolder + u'/' + found;
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile()) {
            if (!info.isDir())
                skipped.append(path);
            return QString();
        }
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray bytes = f.readAll();
        return f.error() == QFileDevice::NoError ? fromCp1252(bytes) : QString();
    }

private:
    QString mFolder;
    QSet<QString> mExact;
    QHash<QString, QString> mFolded;
};

} // namespace

GameScripts buildGameScripts(const QString& projectDir, BuildSummary* summary) {
    const ProjectIni ini = ProjectFile(projectDir + QStringLiteral("/projet.ini")).read();
    if (summary) {
        summary->name = QFileInfo(projectDir).fileName();
        summary->author = ini.author();
        summary->maps = ini.mapCountText();
        summary->combats = ini.combatsText();
    }

    GameScripts out;
    out.startValues = ini.startValues();
    out.variables = QStringLiteral("--Variables du jeu\r\nvar = {}\r\n");
    for (qsizetype i = 0; i < out.startValues.size(); ++i)
        out.variables += QStringLiteral("var[") + QString::number(i + 1) + QStringLiteral("] = \"") +
                         out.startValues[i] + u'"' + kCrLf;
    out.infos = QStringLiteral("jeu = { nom = ") + luaString(ini.gameName()) +
                QStringLiteral(", auteur = ") + luaString(ini.author()) + QStringLiteral(" }");

    // The opening of each cell block and the file name of each cell, the same for every map.
    std::array<QString, kEventRows * kColumns> openings;
    std::array<QString, kEventRows * kColumns> names;
    for (int r = 1; r <= kEventRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            const int slot = (r - 1) * kColumns + (c - 1);
            openings[slot] = QStringLiteral("\r\n    if ligne == ") + QString::number(r) +
                             QStringLiteral(" and colonne == ") + QString::number(c) +
                             QStringLiteral(" then\r\n    ");
            names[slot] = QStringLiteral("ev") + QString::number(r) + QString::number(c);
        }
    }
    const QString closing = QStringLiteral("\r\n    end\r\n\r\n");

    const int maps = ini.mapsToVisit();
    QString& ev = out.events;
    ev.reserve(64 + qsizetype(maps) * kEventRows * kColumns * 64);
    ev += QStringLiteral("function runev(colonne,ligne,map)\r\n");
    for (int m = 1; m <= maps; ++m) {
        const QString mm = mapNumberText(m);
        ev += QStringLiteral("if map == \"") + mm + QStringLiteral("\" then\r\n");
        const MapFolder cells(projectDir + QStringLiteral("/ev/map") + mm);
        for (int slot = 0; slot < kEventRows * kColumns; ++slot) {
            const QString content = cells.read(names[slot], out.skipped);
            ev += openings[slot];
            ev += content;
            ev += closing;
            if (!content.isEmpty())
                out.cells.append({m, slot / kColumns + 1, slot % kColumns + 1, content});
        }
        ev += QStringLiteral("end\r\n");
    }
    ev += QStringLiteral("\r\nend");
    return out;
}

CompileResult compiler(const QString& projectDir) {
    CompileResult result;
    result.scripts = buildGameScripts(projectDir, &result.summary);
    result.variablesPath = projectDir + QStringLiteral("/variables.lua");
    result.eventsPath = projectDir + QStringLiteral("/ev.lua");
    result.infosPath = projectDir + QStringLiteral("/infos.lua");
    result.variablesWritten = writefile(result.scripts.variables, result.variablesPath);
    result.eventsWritten = writefile(result.scripts.events, result.eventsPath);
    result.infosWritten = writefile(result.scripts.infos, result.infosPath);
    return result;
}

QString luaString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\0': out += QStringLiteral("\\0"); break;
        default: out += c;
        }
    }
    return out + u'"';
}
