#include "build/gamefiles.h"

#include "build/lualiterals.h"
#include "project/apppaths.h"
#include "project/module1.h"
#include "project/projectfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {

// Pictures the engine loads by names it puts together (ram.lua), in its own spelling.
const char* const kSystemImages[] = {"imgprinc", "menuprinc", "menuingame", "parler"};
const char* const kHeroSprites[] = {"dos1",    "dos2",    "dos3",    "face1",   "face2",
                                    "face3",   "droite1", "droite2", "droite3", "gauche1",
                                    "gauche2", "gauche3", "mort"};

bool isLuaScript(const QString& name) {
    return name.endsWith(QStringLiteral(".lua"), Qt::CaseInsensitive);
}

// A quoted text taken as a path inside the game's folder, cleaned ("./a//b" is "a/b"), or the
// empty text when it cannot be one: empty, absolute, leading out of the folder, or holding a
// drive, a backslash or a line break.
QString pathInsideGame(const QString& literal) {
    if (literal.isEmpty() || literal.size() > 255 || literal.contains(u':') ||
        literal.contains(u'\\') || literal.contains(u'\n') || literal.contains(u'\r'))
        return QString();
    const QString clean = QDir::cleanPath(literal);
    if (QDir::isAbsolutePath(clean) || clean == QStringLiteral(".") ||
        clean == QStringLiteral("..") || clean.startsWith(QStringLiteral("../")))
        return QString();
    return clean;
}

// The editor's own files, which a game never takes even when a script names them.
bool isEditorFile(const QString& relative) {
    return relative.compare(QStringLiteral("projet.ini"), Qt::CaseInsensitive) == 0 ||
           relative.startsWith(QStringLiteral("ev/"), Qt::CaseInsensitive);
}

class Collector {
public:
    explicit Collector(QString projectDir) : mRoot(std::move(projectDir)) {}

    // The project's file `relative`, found in any letter case, goes in under that name. False
    // when the project has no such file.
    bool addProjectFile(const QString& relative) {
        if (mNames.contains(relative.toLower()))
            return true;
        const QFileInfo info(resolvePath(mRoot + u'/' + relative));
        if (!info.isFile())
            return false;
        add({relative, info.filePath(), QByteArray(), info.size()});
        return true;
    }

    // As addProjectFile, for a file the game cannot run without.
    void require(const QString& relative) {
        if (!addProjectFile(relative) && mOut.missing.isEmpty())
            mOut.missing = mRoot + u'/' + relative;
    }

    // Every file below the folder, under prefix + its path there as stored.
    void addFolder(const QString& folder, const QString& prefix) {
        QStringList found;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        found.sort(); // the same order on every run
        for (const QString& path : found) {
            const QFileInfo info(path);
            add({prefix + QDir(folder).relativeFilePath(path), path, QByteArray(), info.size()});
        }
    }

    void addMade(const QString& relative, const QByteArray& bytes) {
        add({relative, QString(), bytes, bytes.size()});
    }

    const QString& root() const { return mRoot; }
    GameFiles take() { return std::move(mOut); }

private:
    // The first file of a name stays: on a FAT stick, names differing in case are one file.
    void add(GameFile file) {
        if (mNames.contains(file.relative.toLower()))
            return;
        mNames.insert(file.relative.toLower());
        mOut.bytes += file.size;
        mOut.files.append(std::move(file));
    }

    QString mRoot;
    QSet<QString> mNames;
    GameFiles mOut;
};

// index.lua, the scripts it names, and what those name, as far as quoted paths go. A path
// ending in .lua in an engine script must exist; other paths are taken when they name a file
// of the project. ev.lua holds the events' Lua: the files it names are taken, none required.
void addScripts(Collector& c) {
    c.require(QStringLiteral("variables.lua"));
    c.require(QStringLiteral("ev.lua"));
    QStringList scripts{QStringLiteral("index.lua")};
    c.require(scripts.first());
    QSet<QString> seen{scripts.first().toLower()};
    for (qsizetype i = 0; i < scripts.size(); ++i) {
        const QString text = readfile(c.root() + u'/' + scripts[i]);
        for (const QString& literal : luaStringLiterals(text)) {
            const QString relative = pathInsideGame(literal);
            if (relative.isEmpty() || isEditorFile(relative))
                continue;
            if (isLuaScript(relative)) {
                c.require(relative);
                if (!seen.contains(relative.toLower())) {
                    seen.insert(relative.toLower());
                    scripts.append(relative);
                }
            } else {
                c.addProjectFile(relative);
            }
        }
    }
    for (const QString& literal : luaStringLiterals(readfile(c.root() + QStringLiteral("/ev.lua"))))
        if (const QString relative = pathInsideGame(literal);
            !relative.isEmpty() && !isEditorFile(relative))
            c.addProjectFile(relative);
}

void addEngineImages(Collector& c) {
    for (const char* name : kSystemImages)
        c.require(QStringLiteral("images/System/") + QLatin1String(name) + QStringLiteral(".png"));
    for (const char* name : kHeroSprites)
        c.require(QStringLiteral("images/personnages/hero/") + QLatin1String(name) +
                  QStringLiteral(".png"));
}

// The engine reads mapNN.map, mapNN.ev and images/mapNN/terrain.png; a missing collision
// file leaves every cell free, so only that one may be missing.
void addMaps(Collector& c) {
    const int maps = ProjectFile(c.root() + QStringLiteral("/projet.ini")).read().mapsToVisit();
    for (int m = 1; m <= maps; ++m) {
        const QString nn = mapNumberText(m);
        c.require(QStringLiteral("map") + nn + QStringLiteral(".map"));
        c.addProjectFile(QStringLiteral("map") + nn + QStringLiteral(".ev"));
        c.require(QStringLiteral("images/map") + nn + QStringLiteral("/terrain.png"));
    }
}

} // namespace

GameFiles listGameFiles(const QString& projectDir, const QString& consolePlayerDir) {
    Collector c(projectDir);
    addScripts(c);
    addEngineImages(c);
    addMaps(c);
    if (const QString sounds = resolvePath(projectDir + QStringLiteral("/sons"));
        QFileInfo(sounds).isDir())
        c.addFolder(sounds, QStringLiteral("sons/"));
    if (!consolePlayerDir.isEmpty()) {
        // Ours before the player's files: a script.lua of the player's would start another game.
        c.addMade(QStringLiteral("script.lua"), QByteArray(kConsoleStartScript));
        c.addFolder(consolePlayerDir, QString());
    }
    return c.take();
}

QString consolePlayerFolder(const AppPaths& paths) {
    return QDir::cleanPath(paths.dataDir + QStringLiteral("/../luaplayer-psp"));
}

bool hasConsolePlayer(const QString& folder) {
    return QFileInfo(resolvePath(folder + QStringLiteral("/EBOOT.PBP"))).isFile();
}
