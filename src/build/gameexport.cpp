#include "build/gameexport.h"

#include "build/gamebuild.h"
#include "build/gamefolder.h"
#include "build/syntaxcheck.h"
#include "project/apppaths.h"
#include "project/cp1252.h"
#include "project/module1.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStorageInfo>

namespace {

const QString kNotCopied = QStringLiteral("\n\nLe jeu n'a pas été copié.");

qint64 wholeBlocks(qint64 bytes, qint64 block) { return (bytes + block - 1) / block * block; }

// Room the files take: each file whole blocks (a FAT cluster, often 32 Ko), each folder one.
qint64 neededRoom(const GameFiles& files, qint64 block) {
    QSet<QString> folders;
    qint64 room = block; // the game's folder
    for (const GameFile& f : files.files) {
        room += wholeBlocks(f.size, block);
        for (qsizetype slash = f.relative.indexOf(u'/'); slash > 0;
             slash = f.relative.indexOf(u'/', slash + 1))
            folders.insert(f.relative.left(slash).toLower());
    }
    return room + qint64(folders.size()) * block;
}

// The folder as the file system names it, also when it does not exist yet.
QString canonical(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? info.absoluteFilePath() : parent + u'/' + info.fileName();
}

bool isInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

VolumeSpace systemVolumeSpace(const QString& folder) {
    const QStorageInfo volume(folder);
    if (!volume.isValid() || !volume.isReady())
        return {};
    return {volume.bytesAvailable(), qMax<qint64>(volume.blockSize(), 512)};
}

ExportPreparation prepareExport(const AppPaths& paths, const QString& project,
                                const ExportChoice& choice, const VolumeProbe& probe) {
    ExportPreparation out;
    auto fail = [&out](const QString& text) {
        out.error = text + kNotCopied;
        return out;
    };
    if (project.isEmpty())
        return fail(QStringLiteral("Aucun projet n'est ouvert : il n'y a pas de jeu à finaliser."));
    const QFileInfo destination(choice.destination);
    if (choice.destination.isEmpty() || !destination.isDir())
        return fail(QStringLiteral("Le dossier de destination n'existe pas : ") + choice.destination);
    if (!destination.isWritable())
        return fail(QStringLiteral("Impossible d'écrire dans le dossier ") +
                    destination.absoluteFilePath() + u'.');

    const QString projectDir = paths.projectFolder(project);
    const CompileResult build = compiler(projectDir);
    out.summary = build.summary;
    if (const QStringList unwritten = unwrittenFiles(build); !unwritten.isEmpty())
        return fail(unwrittenText(unwritten).chopped(1));
    if (const auto fault = checkGameScripts(build.scripts))
        return fail(*fault);

    const QString player = choice.withConsolePlayer ? consolePlayerFolder(paths) : QString();
    if (choice.withConsolePlayer && !hasConsolePlayer(player))
        return fail(QStringLiteral("Aucun LuaPlayer pour console n'a été trouvé : placez-le dans le "
                                   "dossier ") + player + u'.');

    ExportPlan& plan = out.plan;
    plan.gameName = project;
    plan.folderName = gameFolderName(project);
    plan.destination = QDir::cleanPath(destination.absoluteFilePath());
    plan.target = plan.destination + u'/' + plan.folderName;
    plan.files = listGameFiles(projectDir, player);
    if (!plan.files.missing.isEmpty())
        return fail(QStringLiteral("Fichier introuvable : ") + plan.files.missing);

    // Replacing the folder must never remove the project or the program's own files.
    const QString target = canonical(plan.target);
    for (const QString& kept : {projectDir, player, paths.dataDir, paths.workDir, paths.docDir}) {
        if (!kept.isEmpty() && isInside(canonical(kept), target))
            return fail(QStringLiteral("Le dossier ") + plan.target +
                        QStringLiteral(" contient le projet ou des fichiers de Quendal : "
                                       "choisissez un autre dossier de destination."));
    }
    plan.replaces = QFileInfo::exists(plan.target) || QFileInfo(plan.target).isSymLink();
    // A finalised game holds no projet.ini: a folder that does is a project, never replaced.
    if (plan.replaces && QFileInfo(resolvePath(plan.target + QStringLiteral("/projet.ini"))).exists())
        return fail(QStringLiteral("Le dossier ") + plan.target +
                    QStringLiteral(" est un projet, pas un jeu finalisé : il n'est pas remplacé. "
                                   "Choisissez un autre dossier de destination."));

    const VolumeSpace space = probe(plan.destination);
    plan.needed = neededRoom(plan.files, qMax<qint64>(space.blockSize, 512));
    if (space.available >= 0 && plan.needed > space.available)
        return fail(QStringLiteral("Il n'y a pas assez de place dans ") + plan.destination +
                    QStringLiteral(" : le jeu a besoin de ") + sizeText(plan.needed) +
                    QStringLiteral(", il reste ") + sizeText(space.available) + u'.');
    return out;
}

GameFiles gameFilesAsBuilt(const QString& projectDir, const QString& consolePlayerDir) {
    GameFiles files = listGameFiles(projectDir, consolePlayerDir);
    const GameScripts scripts = buildGameScripts(projectDir);
    // As writefile() writes them: Windows-1252 and a last CR LF.
    const auto written = [](const QString& text) { return toCp1252(text).size() + 2; };
    const QHash<QString, qint64> built = {{QStringLiteral("variables.lua"), written(scripts.variables)},
                                          {QStringLiteral("ev.lua"), written(scripts.events)},
                                          {QStringLiteral("infos.lua"), written(scripts.infos)}};
    QSet<QString> listed;
    for (GameFile& f : files.files) {
        listed.insert(f.relative.toLower());
        if (const auto it = built.constFind(f.relative.toLower()); it != built.constEnd()) {
            files.bytes += *it - f.size;
            f.size = *it;
        }
    }
    // A file the build makes (infos.lua before a project's first build) counts as made.
    for (auto it = built.constBegin(); it != built.constEnd(); ++it) {
        const QString path = projectDir + u'/' + it.key();
        if (listed.contains(it.key()))
            continue;
        files.files.append({it.key(), path, QByteArray(), *it});
        files.bytes += *it;
        if (files.missing == path)
            files.missing.clear();
    }
    return files;
}

QString gameLine(const QString& project, const GameFiles& files) {
    return QStringLiteral("Jeu : ") + project + QStringLiteral(", ") +
           QString::number(files.files.size()) + QStringLiteral(" fichiers, ") +
           sizeText(files.bytes);
}

QString replaceQuestion(const ExportPlan& plan) {
    return QStringLiteral("Le dossier ") + plan.target +
           QStringLiteral(" existe déjà.\nLe remplacer par le jeu « ") + plan.gameName +
           QStringLiteral(" » ?");
}

QString exportDoneText(const ExportPlan& plan, const QString& checkError) {
    const QString copied = QStringLiteral("Le jeu « ") + plan.gameName +
                           QStringLiteral(" » a été copié dans ") + plan.target;
    if (!checkError.isEmpty())
        return copied + QStringLiteral(", mais il ne fonctionne pas :\n") + checkError;
    return copied + QStringLiteral(" (") + QString::number(plan.files.files.size()) +
           QStringLiteral(" fichiers, ") + sizeText(plan.files.bytes) +
           QStringLiteral(").\nEssayé dans LuaPlayer, il démarre sans erreur.");
}
