// Finalising: the game's folder plays on its own; a failed or cancelled copy leaves the rest.
#include "build/destinations.h"
#include "build/gamecheck.h"
#include "build/gamecopy.h"
#include "build/gameexport.h"
#include "build/gamefolder.h"
#include "build/launcher.h"
#include "build/lualiterals.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "project/module1.h"
#include "testsupport/files.h"
#include "testsupport/run.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kPlayer = QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer");

// What the game of a new project needs, in the engine's spelling, with the extra files.
QStringList newGameFiles(QStringList files = {}) {
    files << "ev.lua" << "images/map01/terrain.png" << "index.lua" << "infos.lua" << "map.lua" << "map01.ev"
          << "map01.map" << "menustart.lua" << "ram.lua" << "sons/mur.wav" << "sons/titre.mod" << "variables.lua"
          << "images/personnages/hero/mort.png";
    for (const char* name : {"imgprinc", "menuingame", "menuprinc", "parler"})
        files << QString("images/System/%1.png").arg(name);
    for (const char* pose : {"dos", "face", "droite", "gauche"})
        for (int frame = 1; frame <= 3; ++frame)
            files << QString("images/personnages/hero/%1%2.png").arg(pose).arg(frame);
    files.sort();
    return files;
}

// Files only, relative and sorted.
QStringList filesBelow(const QString& dir) {
    QStringList files = tree(dir);
    files.removeIf([&dir](const QString& rel) { return !QFileInfo(dir + '/' + rel).isFile(); });
    return files;
}

// The visible screen after frames of play, from the folder as working directory.
QImage playScreen(const QString& workDir, const QString& script, int frames, const QByteArray& buttons) {
    QTemporaryDir scratch;
    putFile(scratch.filePath("buttons.txt"), buttons);
    if (runProgram(kPlayer, {"--headless", "--frames", QString::number(frames), "--buttons",
                             scratch.filePath("buttons.txt"), "--screenshot", scratch.filePath("s.png"), script},
                   workDir).exitCode != 0)
        return QImage();
    return QImage(scratch.filePath("s.png")).convertToFormat(QImage::Format_RGB32);
}

VolumeProbe roomFor(qint64 available) {
    return [available](const QString&) { return VolumeSpace{available, 32768}; };
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
    QTemporaryDir mTemplate; // an application folder with the supplied data and a new project
    std::unique_ptr<QTemporaryDir> mDir;
    AppPaths mPaths;
    QString mProject;
    QString mDest;

    ExportPreparation prepare(bool withPlayer = false, const VolumeProbe& probe = systemVolumeSpace) {
        return prepareExport(mPaths, "Aventure", {mDest, withPlayer}, probe);
    }
    // Prepares and copies; the error of either, or empty.
    QString exportGame(bool withPlayer = false) {
        const ExportPreparation prepared = prepare(withPlayer);
        return prepared.error.isEmpty() ? copyGame(prepared.plan).error : prepared.error;
    }
    // A copy of the template's project; the supplied data, which only creation reads, stays there.
    bool addProject(const QString& name) {
        return copyTree(AppPaths::inPlace(mTemplate.path()).projectFolder("Aventure"),
                        mPaths.projectFolder(name)) &&
               writeini("Jeu", "nom", name, mPaths.projectFolder(name) + "/projet.ini");
    }

private slots:
    void initTestCase() {
        const AppPaths paths = AppPaths::inPlace(mTemplate.path());
        QVERIFY(copyTree(QUENDAL_SOURCE_DIR "/data", paths.dataDir));
        QVERIFY(createProject(paths, "Aventure", "Camille"));
    }

    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        mPaths = AppPaths::inPlace(mDir->path() + "/app");
        QVERIFY(addProject("Aventure"));
        mProject = mPaths.projectFolder("Aventure");
        mDest = mDir->path() + "/CLE_USB";
        QVERIFY(QDir().mkpath(mDest + "/PSP/GAME"));
    }

    // The folder holds the game and nothing of the editor, and plays from its own folder as the
    // test run plays the project, also once the project is gone.
    void exportedGamePlaysAsTheTestRun() {
        QVERIFY(putFile(mProject + "/ev/map01/ev59", "\r\naffichertexte(\"Bonjour\")\r\n"));
        const qint64 announced = gameFilesAsBuilt(mProject, QString()).bytes; // before any build
        const ExportPreparation prepared = prepare();
        QVERIFY2(prepared.error.isEmpty(), qPrintable(prepared.error));
        QCOMPARE(prepared.plan.files.bytes, announced);
        QVERIFY(!prepared.plan.replaces);
        QCOMPARE(tree(mDest), (QStringList{"PSP", "PSP/GAME"})); // nothing written yet
        QVERIFY(copyGame(prepared.plan).done);

        const QString game = mDest + "/Aventure";
        QCOMPARE(filesBelow(game), newGameFiles());
        QVERIFY(bytesOf(game + "/ev.lua").contains("affichertexte(\"Bonjour\")"));
        for (const QString& rel : newGameFiles())
            QCOMPARE(bytesOf(game + '/' + rel), bytesOf(mProject + '/' + rel));
        QCOMPARE(checkExportedGame(kPlayer, game), QString());

        QVERIFY(writeLauncher(mPaths.workDir, "Aventure"));
        const QByteArray newGame = "5 cross\n8\n";
        const QImage title = playScreen(mPaths.workDir, "index.lua", 30, QByteArray());
        const QImage map = playScreen(mPaths.workDir, "index.lua", 40, newGame);
        QVERIFY(!title.isNull() && !map.isNull() && title != map);
        QVERIFY(QDir().rename(mPaths.projectsRoot(), mDir->path() + "/ailleurs"));
        QCOMPARE(playScreen(game, "index.lua", 30, QByteArray()), title);
        QCOMPARE(playScreen(game, "index.lua", 40, newGame), map);

        // The trial in LuaPlayer reports what stops the game, with the player's message.
        QVERIFY(putFile(game + "/ram.lua", bytesOf(game + "/ram.lua") + "\nerror('la suite manque')\n"));
        const QString failed = checkExportedGame(kPlayer, game);
        QVERIFY2(failed.contains("la suite manque"), qPrintable(failed));
        QVERIFY(checkExportedGame(mDir->path() + "/rien", game).contains("LuaPlayer est introuvable"));
    }

    // Files scripts name, the sounds and the console player come along, never the editor's files;
    // names keep the engine's spelling, also from a case-insensitive file system.
    void filesNamedByScriptsAndThePlayerComeAlong() {
        QVERIFY(QDir(mProject).rename("map01.map", "MAP01.Map"));
        QVERIFY(QDir(mProject).rename("images/System", "images/SYSTEM"));
        QVERIFY(QDir(mProject).rename("images/SYSTEM/parler.png", "images/SYSTEM/Parler.PNG"));
        QVERIFY(putFile(mProject + "/ev/map01/ev23",
                        "\r\nlocal i = Image.load(\"images/Coffre.png\")\r\ndofile('projet.ini')\r\n"));
        for (const char* rel : {"images/coffre.png", "sons/effets/mur.wav", "notes.txt"})
            QVERIFY(putFile(mProject + '/' + rel, rel));
        const QString player = consolePlayerFolder(mPaths);
        QVERIFY(prepare(true).error.contains("placez-le dans le dossier " + player));
        QVERIFY(putFile(player + "/EBOOT.PBP", "PBP") && putFile(player + "/System/system.lua", "-- menu") &&
                putFile(player + "/script.lua", "-- le sien"));
        QCOMPARE(exportGame(true), QString());
        QCOMPARE(filesBelow(mDest + "/Aventure"), newGameFiles({"images/Coffre.png", "sons/effets/mur.wav", "EBOOT.PBP",
                                                                "System/system.lua", "script.lua"}));
        QCOMPARE(bytesOf(mDest + "/Aventure/script.lua"), QByteArray(kConsoleStartScript));
    }

    void missingOrFaultyGameIsNotCopied_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // empty: the file is removed
        QTest::addColumn<QString>("said");
        QTest::newRow("tile sheet") << "images/map01/terrain.png" << QByteArray()
                                    << "Fichier introuvable : %1/images/map01/terrain.png";
        QTest::newRow("event script") << "ev/map01/ev35" << QByteArray("\r\nif x then\r\n")
                                      << "carte 01, ligne 3, colonne 5";
    }
    void missingOrFaultyGameIsNotCopied() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, said);
        QVERIFY(content.isEmpty() ? QFile::remove(mProject + '/' + file)
                                  : putFile(mProject + '/' + file, content));
        const QString error = prepare().error;
        QVERIFY2(error.contains(QString(said).replace("%1", mProject)), qPrintable(error));
        QVERIFY(error.endsWith("Le jeu n'a pas été copié."));
        QCOMPARE(tree(mDest), (QStringList{"PSP", "PSP/GAME"}));
    }

    // Not enough room is said before anything is written; each file and folder takes whole 32 Ko clusters.
    void notEnoughRoomIsSaidFirst() {
        qint64 clusters = 7; // the game's folder, images, images/System, images/map01,
                             // images/personnages, images/personnages/hero and sons
        for (const QString& rel : newGameFiles())
            clusters += qMax<qint64>(1, (QFileInfo(mProject + '/' + rel).size() + 32767) / 32768);
        const ExportPreparation enough = prepare(false, roomFor(-1));
        QVERIFY(enough.error.isEmpty());
        QCOMPARE(enough.plan.needed, clusters * 32768);
        QVERIFY(prepare(false, roomFor(enough.plan.needed)).error.isEmpty());
        const QString error = prepare(false, roomFor(enough.plan.needed / 2)).error;
        QCOMPARE(error, "Il n'y a pas assez de place dans " + mDest + " : le jeu a besoin de " +
                            sizeText(enough.plan.needed) + ", il reste " +
                            sizeText(enough.plan.needed / 2) + ".\n\nLe jeu n'a pas été copié.");
        QCOMPARE(tree(mDest), (QStringList{"PSP", "PSP/GAME"}));
    }

    // A game already there is replaced whole, after the question. A cancel, or a medium that
    // fills up midway (a file size limit), leaves it as it was; the latter names the file.
    void replacingCancellingAndFillingUp() {
        QVERIFY(putFile(mDest + "/Aventure/vieux.txt", "ancien") && putFile(mDest + "/Aventure/index.lua", "-- ancien jeu"));
        QVERIFY(putFile(mProject + "/sons/titre.mod", QByteArray(200000, 'm')));
        const ExportPreparation prepared = prepare();
        QVERIFY(prepared.plan.replaces);
        QCOMPARE(replaceQuestion(prepared.plan),
                 "Le dossier " + mDest + "/Aventure existe déjà.\nLe remplacer par le jeu « Aventure » ?");
        const QStringList before{"Aventure", "Aventure/index.lua", "Aventure/vieux.txt", "PSP", "PSP/GAME"};

        std::atomic<bool> cancel{false};
        int calls = 0;
        ExportControl control{[&](qint64, qint64) { cancel = ++calls == 3; }, &cancel};
        const ExportResult stopped = copyGame(prepared.plan, control);
        QVERIFY(stopped.cancelled && !stopped.done && stopped.error.isEmpty());
        QCOMPARE(tree(mDest), before);

        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100000, saved.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const ExportResult full = copyGame(prepared.plan);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!full.done);
        QVERIFY2(full.error.startsWith("Impossible d'écrire le fichier sons/titre.mod du jeu dans " + mDest +
                                       " : le fichier est trop gros pour ce support."),
                 qPrintable(full.error));
        QCOMPARE(tree(mDest), before);
        QCOMPARE(bytesOf(mDest + "/Aventure/index.lua"), QByteArray("-- ancien jeu"));

        qint64 last = 0;
        control = {[&](qint64 done, qint64 total) { QVERIFY(done >= last && done <= total); last = done; },
                   nullptr};
        QVERIFY(copyGame(prepared.plan, control).done);
        QCOMPARE(last, prepared.plan.files.bytes);
        QCOMPARE(filesBelow(mDest + "/Aventure"), newGameFiles());
        QCOMPARE(tree(mDest).filter(".quendal"), QStringList());
    }

    // The copy never replaces the project, another project or the program's own folders.
    void projectsAreNeverReplaced_data() {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("name");
        QTest::newRow("the project itself") << "app/projets" << "Aventure";
        QTest::newRow("another project") << "app/projets" << "B?";
        QTest::newRow("the application folder") << "" << "app";
    }
    void projectsAreNeverReplaced() {
        QFETCH(QString, destination);
        QFETCH(QString, name);
        QVERIFY(addProject("B_"));
        if (!QFileInfo::exists(mPaths.projectFolder(name)))
            QVERIFY(addProject(name));
        const QString error =
            prepareExport(mPaths, name, {mDir->path() + '/' + destination, false}).error;
        QVERIFY2(error.contains("choisissez un autre dossier de destination", Qt::CaseInsensitive),
                 qPrintable(error));
        QVERIFY(QFileInfo::exists(mPaths.projectFolder(name) + "/projet.ini"));
        QCOMPARE(tree(mDir->path()).filter(".quendal"), QStringList());
    }

    void folderNames_data() {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("folder");
        QTest::newRow("accents") << "Été à l'île" << "Été à l'île";
        QTest::newRow("refused by FAT") << "Qui? *Moi*: <a|b>" << "Qui_ _Moi__ _a_b_";
        QTest::newRow("quote and slashes") << "a\"b\\c/d" << "a_b_c_d";
        QTest::newRow("dots and blanks at the ends") << "  Fin... " << "Fin";
        QTest::newRow("nothing left") << " . " << "Jeu";
        QTest::newRow("device") << "con" << "con_";
        QTest::newRow("device with extension") << "NUL.txt" << "NUL_.txt";
        QTest::newRow("not a device") << "Console" << "Console";
    }
    void folderNames() {
        QFETCH(QString, project);
        QFETCH(QString, folder);
        QCOMPARE(gameFolderName(project), folder);
    }

    void sizes() {
        QCOMPARE(sizeText(1023), "1023 octets");
        QCOMPARE(sizeText(1048575), "1,0 Mo"); // rounded up
    }

    void literals_data() {
        QTest::addColumn<QString>("lua");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("both quotes") << "dofile(\"ram.lua\") Image.load('a.png')" << QStringList{"ram.lua", "a.png"};
        QTest::newRow("escapes") << "x = \"a\\\"b\\\\c\\65\\n\"" << QStringList{"a\"b\\cA\n"};
        QTest::newRow("comments") << "-- dofile(\"no.lua\")\nx = 'yes' --[[ 'no' ]] --[==[ ]] 'no' ]==] y = \"ok\""
                                  << QStringList{"yes", "ok"};
        QTest::newRow("long string") << "s = [[ \"no\" ]] t = [=[ 'no' ]=] u = 'yes'" << QStringList{"yes"};
        QTest::newRow("unfinished") << "x = \"a\ny = 'b'" << QStringList{"b"};
    }
    void literals() {
        QFETCH(QString, lua);
        QFETCH(QStringList, found);
        QCOMPARE(luaStringLiterals(lua), found);
    }

    // Removable media first (/media before /run/media), then home, then the root.
    void places() {
        const QList<DestinationPlace> places = destinationPlaces(
            {"/", "/boot", "/run/media/bob/DISQUE", "/media/camille/CLE_USB", "/home", "/media/camille/A"},
            "/home/camille");
        QString labels;
        for (const DestinationPlace& p : places)
            labels += p.label() + '|';
        QCOMPARE(labels, "A (support amovible)|CLE_USB (support amovible)|DISQUE (support amovible)|"
                         "Dossier personnel (/home/camille)|Racine (/)|");
        QCOMPARE(shownPath(places[1], "/media/camille/CLE_USB/PSP/GAME"), "CLE_USB/PSP/GAME");
        QCOMPARE(shownPath(places[4], "/media/camille/CLE_USB"), "/media/camille/CLE_USB");
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
