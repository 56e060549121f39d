#include "creation.h"

#include "cp1252.h"
#include "inifile.h"
#include "module1.h"
#include "project/apppaths.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Hero sprites and interface images, in the order they are copied.
constexpr const char* kHeroSprites[] = {"dos1",    "dos2",    "dos3",    "face1",   "face2",
                                        "face3",   "droite1", "droite2", "droite3", "gauche1",
                                        "gauche2", "gauche3", "mort"};
constexpr const char* kSystemImages[] = {"imgprinc", "menuingame", "menuprinc", "parler"};

struct TextCopy {
    const char* source; // below data/
    const char* destination; // below the project folder
};

constexpr TextCopy kEngineScripts[] = {{"/ftgr.dat", "/ram.lua"},
                                       {"/ftgm.dat", "/map.lua"},
                                       {"/ftgi.dat", "/index.lua"},
                                       {"/ftgms.dat", "/menustart.lua"},
                                       {"/ftgev.dat", "/ev.lua"}};
constexpr TextCopy kFirstMap[] = {{"/ftgmev.dat", "/map01.ev"}, {"/ftgmma.dat", "/map01.map"}};
// The game's sounds, copied into sons/ when the application folder has them; the engine plays
// without any.
constexpr const char* kSounds[] = {"titre.mod", "mur.wav"};

// A text copy: the template's text followed by CR LF; a missing template gives CR LF alone.
bool copyText(const AppPaths& paths, const QString& project, const TextCopy& c) {
    return writefile(readfile(paths.dataPath(QString::fromLatin1(c.source))),
                     project + QString::fromLatin1(c.destination));
}

bool makeFolder(const QString& path) { return QDir().mkdir(path); }

} // namespace

bool isSafeProjectName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || QDir::isAbsolutePath(name))
        return false;
    // The test run writes the name between double quotes into a Lua line: a quote in it could
    // never give a valid launcher, and would run what follows it as code.
    if (name.contains(u'"'))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    // Opening takes the folder name from projet.ini, so the name must read back from it
    // unchanged: no surrounding blanks or quotes, not too long, all in Windows-1252.
    if (fromCp1252(toCp1252(name)) != name || !iniWritable("Jeu", "nom", name))
        return false;
    const auto stored = iniWithValue(QString(), "Jeu", "nom", name);
    return stored && iniValue(*stored, "Jeu", "nom") == name;
}

bool createProject(const AppPaths& paths, const QString& name, const QString& author) {
    if (!isSafeProjectName(name) || !iniWritable("Jeu", "auteur", author))
        return false;
    const QString root = paths.projectsRoot();
    if (!QFileInfo(root).isDir() && !QDir().mkpath(root))
        return false;
    const QString project = paths.projectFolder(name);
    // An existing folder of that name in any letter case is another project.
    if (QFileInfo::exists(resolvePath(project)) || !makeFolder(project))
        return false;

    if (!ProjectFile(project + QStringLiteral("/projet.ini")).writeNewProject(name, author))
        return false;

    for (const char* folder : {"/images", "/images/System", "/images/personnages",
                               "/images/personnages/hero", "/images/map01", "/ev", "/ev/map01"})
        if (!makeFolder(project + QString::fromLatin1(folder)))
            return false;

    for (const char* sprite : kHeroSprites) {
        const QString file = QString::fromLatin1(sprite) + QStringLiteral(".png");
        if (!copyFileReplacing(paths.dataPath("/images/personnages/perso01/" + file),
                               project + "/images/personnages/hero/" + file))
            return false;
    }
    for (const char* image : kSystemImages) {
        const QString file = QString::fromLatin1(image) + QStringLiteral(".png");
        if (!copyFileReplacing(paths.dataPath("/images/system/theme01/" + file),
                               project + "/images/System/" + file))
            return false;
    }

    for (const TextCopy& c : kEngineScripts)
        if (!copyText(paths, project, c))
            return false;

    if (!copyFileReplacing(paths.dataPath("/images/terrains/terrain01/terrain01.png"),
                           project + "/images/map01/terrain.png"))
        return false;

    for (const TextCopy& c : kFirstMap)
        if (!copyText(paths, project, c))
            return false;

    if (!writefile(QStringLiteral("--Variables du jeu"), project + "/variables.lua"))
        return false;

    for (const char* sound : kSounds) {
        const QString source = paths.dataPath("/sons/" + QString::fromLatin1(sound));
        if (QFileInfo::exists(resolvePath(source))
            && !(QDir().mkpath(project + "/sons")
                 && copyFileReplacing(source, project + "/sons/" + QString::fromLatin1(sound))))
            return false;
    }
    return true;
}
