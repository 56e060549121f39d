#include "creation.h"

#include "cp1252.h"
#include "inifile.h"
#include "module1.h"
#include "paths.h"

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
bool copyText(const QString& appDir, const QString& project, const TextCopy& c) {
    return writefile(readfile(dataPath(appDir, QString::fromLatin1(c.source))),
                     project + QString::fromLatin1(c.destination));
}

bool makeFolder(const QString& path) { return QDir().mkdir(path); }

bool writeFirstKeys(const QString& ini, const QString& name, const QString& author) {
    const QString keys[][3] = {{"Jeu", "nom", name},
                               {"Jeu", "auteur", author},
                               {"Jeu", "ver", "3.0.0"},
                               {"Jeu", "cartes", "1"},
                               {"Jeu", "combats", "0"},
                               {"Carte01", "texture", "01"},
                               {"Carte01", "nom", "Carte 1"},
                               {"Variables", "nombre", "0"}};
    for (const auto& k : keys)
        if (!writeini(k[0], k[1], k[2], ini))
            return false;
    return true;
}

} // namespace

bool isSafeProjectName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || QDir::isAbsolutePath(name))
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

bool createProject(const QString& appDir, const QString& name, const QString& author) {
    if (!isSafeProjectName(name) || !iniWritable("Jeu", "auteur", author))
        return false;
    const QString root = projectsRoot(appDir);
    if (!QFileInfo(root).isDir() && !QDir().mkpath(root))
        return false;
    const QString project = projectFolder(appDir, name);
    // An existing folder of that name in any letter case is another project.
    if (QFileInfo::exists(resolvePath(project)) || !makeFolder(project))
        return false;

    if (!writeFirstKeys(projectIni(appDir, name), name, author))
        return false;

    for (const char* folder : {"/images", "/images/System", "/images/personnages",
                               "/images/personnages/hero", "/images/map01", "/ev", "/ev/map01"})
        if (!makeFolder(project + QString::fromLatin1(folder)))
            return false;

    for (const char* sprite : kHeroSprites) {
        const QString file = QString::fromLatin1(sprite) + QStringLiteral(".png");
        if (!copyFileReplacing(dataPath(appDir, "/images/personnages/perso01/" + file),
                               project + "/images/personnages/hero/" + file))
            return false;
    }
    for (const char* image : kSystemImages) {
        const QString file = QString::fromLatin1(image) + QStringLiteral(".png");
        if (!copyFileReplacing(dataPath(appDir, "/images/system/theme01/" + file),
                               project + "/images/System/" + file))
            return false;
    }

    for (const TextCopy& c : kEngineScripts)
        if (!copyText(appDir, project, c))
            return false;

    if (!copyFileReplacing(dataPath(appDir, "/images/terrains/terrain01/terrain01.png"),
                           project + "/images/map01/terrain.png"))
        return false;

    for (const TextCopy& c : kFirstMap)
        if (!copyText(appDir, project, c))
            return false;

    if (!writefile(QStringLiteral("--Variables du jeu"), project + "/variables.lua"))
        return false;

    for (const char* sound : kSounds) {
        const QString source = dataPath(appDir, "/sons/" + QString::fromLatin1(sound));
        if (QFileInfo::exists(resolvePath(source))
            && !(QDir().mkpath(project + "/sons")
                 && copyFileReplacing(source, project + "/sons/" + QString::fromLatin1(sound))))
            return false;
    }
    return true;
}
