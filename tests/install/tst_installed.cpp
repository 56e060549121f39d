// Quendal installed into a DESTDIR: its files, and the program writing only in $XDG_DATA_HOME.
#include "shell/shellfixture.h"
#include "testsupport/pictures.h"
#include "testsupport/run.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kDesktopId = QStringLiteral("example.quendal.Quendal");
const QString kBin = QStringLiteral(QUENDAL_TEST_BINDIR);
const QString kData = QStringLiteral(QUENDAL_TEST_DATADIR);
const QString kDoc = QStringLiteral(QUENDAL_TEST_DOCDIR);
const QString kPlayerDir = QStringLiteral(QUENDAL_TEST_PLAYERDIR);
const QString kShare = QStringLiteral(QUENDAL_TEST_SHAREDIR);
const QString kMan = QStringLiteral(QUENDAL_TEST_MANDIR);

// Every entry below dir with its size and time of change: equal snapshots, nothing written.
QStringList snapshot(const QString& dir) {
    QStringList out;
    for (const QString& rel : tree(dir)) {
        const QFileInfo info(dir + u'/' + rel);
        out << rel + u' ' + QString::number(info.size()) + u' ' + info.lastModified().toString(Qt::ISODateWithMs);
    }
    return out;
}

} // namespace

class TestInstalled : public QObject, ShellFixture {
    Q_OBJECT
    QTemporaryDir mRoot; // the DESTDIR
    QString mPrefix;

    QString under(const QString& relative) const { return mPrefix + u'/' + relative; }
    QString program(const QString& name) const {
        return under((name == QLatin1String("luaplayer") ? kPlayerDir : kBin) + u'/' + name);
    }

  private slots:
    void initTestCase() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), mRoot.path());
        const ProgramRun install =
            runProgram(QStringLiteral(QUENDAL_CMAKE), {"--install", QUENDAL_BINARY_DIR, "--prefix", "/usr"}, {}, env);
        QVERIFY2(install.exitCode == 0, install.err.constData());
        mPrefix = mRoot.path() + QStringLiteral("/usr");
    }

    // The supplied data and guide as in the repository, bar the placeholder that keeps data/ in git.
    void suppliedFilesAreComplete_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("installed");
        QTest::newRow("data") << QStringLiteral(QUENDAL_SOURCE_DIR "/data") << kData;
        QTest::newRow("guide") << QStringLiteral(QUENDAL_SOURCE_DIR "/Doc") << kDoc;
    }
    void suppliedFilesAreComplete() {
        QFETCH(QString, source);
        QFETCH(QString, installed);
        QStringList expected = tree(source);
        expected.removeAll(QStringLiteral(".keep"));
        QCOMPARE(tree(under(installed)).filter(QRegularExpression("^(?!copyright$)")), expected);
        for (const QString& rel : expected)
            QVERIFY2(bytesOf(source + u'/' + rel) == bytesOf(under(installed) + u'/' + rel), qPrintable(rel));
    }

    // The hicolor icons are the art tool's drawing, run as its README says (relative folders).
    void icons() {
        QTemporaryDir drawn;
        QVERIFY(QDir().mkpath(drawn.filePath("data")));
        const ProgramRun art = runProgram(QStringLiteral(QUENDAL_ART_TOOL), {"data", "--icons", "icons"}, drawn.path());
        QVERIFY2(art.exitCode == 0, art.err.constData());
        QVERIFY(!QFileInfo::exists(drawn.filePath("data/data"))); // nothing made twice as deep
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString rel = QStringLiteral("%1x%1/apps/quendal.png").arg(size);
            const QImage icon(under(kShare + "/icons/hicolor/" + rel));
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32),
                     QImage(drawn.filePath("icons/" + rel)).convertToFormat(QImage::Format_ARGB32));
        }
    }

    // Debian's validators, when they are installed.
    void validators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{kShare + "/applications/" + kDesktopId + ".desktop"};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net", kShare + "/metainfo/" + kDesktopId + ".metainfo.xml"};
    }
    void validators() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            QSKIP(qPrintable(tool + " is not installed"));
        const ProgramRun check = runProgram(path, arguments, mPrefix);
        QVERIFY2(check.exitCode == 0, (check.out + check.err).constData());
    }

    // The menu entry starts the installed program with its icon; the metainfo names the entry.
    void menuEntryMatchesTheInstalledFiles() {
        QMap<QString, QString> entry;
        for (const QString& line : QString::fromUtf8(bytesOf(under(kShare + "/applications/" + kDesktopId + ".desktop"))).split(u'\n'))
            if (line.indexOf(u'=') > 0 && !line.startsWith(u'#'))
                entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        QCOMPARE(QStandardPaths::findExecutable(entry.value("Exec"), {under(kBin)}), program("quendal"));
        QVERIFY(QFile::exists(under(kShare + "/icons/hicolor/48x48/apps/" + entry.value("Icon") + ".png")));
        for (const char* key : {"Name[fr]", "GenericName[fr]", "Comment[fr]"})
            QVERIFY2(!entry.value(key).isEmpty(), key);
        const QByteArray metainfo = bytesOf(under(kShare + "/metainfo/" + kDesktopId + ".metainfo.xml"));
        QVERIFY(metainfo.contains("<id>" + kDesktopId.toUtf8() + "</id>"));
        QVERIFY(metainfo.contains(">" + kDesktopId.toUtf8() + ".desktop</launchable>"));
    }

    // Every option luaplayer --help offers is in both its manual pages; quendal's are there too.
    void manualPages() {
        for (const QString& path : {kMan + "/man1/quendal.1.gz", kMan + "/fr/man1/quendal.1.gz", kDoc + "/copyright"})
            QVERIFY2(QFileInfo(under(path)).isFile(), qPrintable(path));
        const ProgramRun help = runProgram(program("luaplayer"), {"--help"});
        QCOMPARE(help.exitCode, 0);
        QStringList options;
        for (const auto& m : QRegularExpression("(?<![\\w-])--[a-z][a-z-]+").globalMatch(QString::fromUtf8(help.out)))
            options << m.captured();
        options.removeDuplicates();
        options.removeAll(QStringLiteral("--help-all")); // Qt's parser's, not the player's
        QVERIFY(options.size() >= 7);
        for (const QString& page : {kMan + "/man1/luaplayer.1.gz", kMan + "/fr/man1/luaplayer.1.gz"}) {
            const ProgramRun text = runProgram(QStringLiteral("gzip"), {"-dc", under(page)});
            QCOMPARE(text.exitCode, 0);
            const QString man = QString::fromUtf8(text.out).remove(QStringLiteral("\\"));
            for (const QString& option : options)
                QVERIFY2(man.contains(option), qPrintable(page + ' ' + option));
        }
    }

    // The installed program started headless makes $XDG_DATA_HOME/quendal, nothing under the prefix.
    void programMakesItsWorkFolderInTheUsersFolder() {
        QTemporaryDir home;
        const QStringList before = snapshot(mRoot.path());
        QProcess quendal;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home.path());
        quendal.setProcessEnvironment(env); // offscreen, as this test runs
        quendal.start(program("quendal"), {});
        QVERIFY(quendal.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.filePath("quendal/projets")).isDir(), 30000);
        QCOMPARE(quendal.state(), QProcess::Running); // it made the folder while starting
        quendal.terminate();
        QVERIFY(quendal.waitForFinished());
        QCOMPARE(snapshot(mRoot.path()), before);
        QCOMPARE(tree(home.path()), (QStringList{"quendal", "quendal/projets"}));
    }

    // Through the windows, with the paths main() builds for the installed program: the project
    // and launcher land in the user's folder, and the installed luaplayer plays the game there.
    void projectAndTestRunInTheUserFolder() {
        QTemporaryDir home, scratch;
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        const QString work = home.filePath("quendal");
        const QStringList before = snapshot(mRoot.path());
        startMain([this](TestApp& app) { app.paths = AppPaths::forProgram(under(kBin)); });
        QCOMPARE(mApp->paths.workDir, work);
        click(child("Acc"), "Command1");
        child("nouvprojet")->findChild<QLineEdit*>("text1")->setText(QStringLiteral("Île aux trésors"));
        child("nouvprojet")->findChild<QLineEdit*>("Text2")->setText(QStringLiteral("Élodie"));
        click(child("nouvprojet"), "Command1");
        click(panel(), "Command4");
        QVERIFY2(mApp->dialogs.shown.isEmpty(), qPrintable(mApp->messages().join(u'|')));
        mMain.reset();
        QVERIFY(QFile::exists(work + "/projets/Île aux trésors/ev.lua"));
        QCOMPARE(mApp->processes.started.size(), 1);
        const RecordingProcessService::Start start = mApp->processes.started[0];
        QCOMPARE(start.program + u' ' + start.workingDirectory, program("luaplayer") + u' ' + work);

        // Past the title menu ("Nouvelle partie") to the hero on the map's start cell.
        QVERIFY(putFile(scratch.filePath("buttons.txt"), "0\n5 cross\n7\n"));
        const ProgramRun game = runProgram(start.program,
                             {"--headless", "--frames", "20", "--buttons", scratch.filePath("buttons.txt"),
                              "--screenshot", scratch.filePath("screen.png"), start.arguments.last()},
                             start.workingDirectory);
        QVERIFY2(game.exitCode == 0 && !game.err.contains("Error"), game.err.constData());
        const QByteArray header = bytesOf(under(kData + "/ftgmma.dat")).left(4);
        const int column = header.left(2).toInt(), row = header.mid(2, 2).toInt();
        const QImage screen = QImage(scratch.filePath("screen.png")).convertToFormat(QImage::Format_ARGB32);
        const QImage hero =
            QImage(under(kData + "/images/personnages/perso01/face1.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(pictureShare(screen, hero, 2 + (column - 1) * 28, (row - 1) * 29), 1.0);

        QCOMPARE(snapshot(mRoot.path()), before);
    }
};

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
