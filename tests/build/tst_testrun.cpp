// The launcher, the Lua syntax check and the test run.

#include "build/launcher.h"
#include "build/syntaxcheck.h"
#include "build/testrun.h"
#include "shell/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestTestRun : public QObject {
    Q_OBJECT

private slots:
    void init() {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mApp = mDir->path();
        mProject = mApp + "/projets/Jeu";
        putBytes(mProject + "/projet.ini",
                 "[Jeu]\r\nauteur=Moi\r\ncartes=2\r\ncombats=3\r\n[Variables]\r\nnombre=1\r\n"
                 "[Variable1]\r\nvaleur=0\r\n");
        putBytes(mProject + "/ev/map01/ev23", "\r\nscreen.waitVblankStart(30)\r\n");
        QVERIFY(QDir().mkpath(mProject + "/ev/map02"));
    }

    void launcherBytes() {
        const QString name = "Mon \"jeu\" \\1";
        QVERIFY(QDir().mkpath(mApp + "/projets/" + name));
        QVERIFY(writeLauncher(mApp, name));
        QCOMPARE(fileBytes(mApp + "/index.lua"),
                 QByteArray("System.currentDirectory(\"projets/Mon \"jeu\" \\1\")\r\n"
                            "dofile(\"index.lua\")\r\n"));
    }

    void startsPlayer() {
        RecordingProcessService processes;
        const TestRunOutcome outcome = tester(mApp, "Jeu", processes);
        QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
        QVERIFY(outcome.started);
        QCOMPARE(outcome.summary.author, QString("Moi"));
        QCOMPARE(outcome.summary.maps, QString("2"));
        QCOMPARE(outcome.summary.combats, QString("3"));
        QCOMPARE(processes.started.size(), 1);
        QCOMPARE(processes.started[0].program, mApp + "/luaplayer");
        QCOMPARE(processes.started[0].arguments, QStringList{"index.lua"});
        QCOMPARE(processes.started[0].workingDirectory, mApp);
        QCOMPARE(fileBytes(mApp + "/index.lua"),
                 QByteArray("System.currentDirectory(\"projets/Jeu\")\r\ndofile(\"index.lua\")\r\n"));
        QVERIFY(fileBytes(mProject + "/ev.lua").contains("if map == \"02\" then"));

        // Another project opened later gets its own launcher.
        putBytes(mApp + "/projets/Autre/projet.ini", "[Jeu]\r\ncartes=0\r\n");
        QVERIFY(tester(mApp, "Autre", processes).started);
        QCOMPARE(processes.started.size(), 2);
        QVERIFY(fileBytes(mApp + "/index.lua").startsWith("System.currentDirectory(\"projets/Autre\")"));
    }

    void playerCannotStart() {
        RecordingProcessService processes;
        processes.succeed = false;
        const TestRunOutcome outcome = tester(mApp, "Jeu", processes);
        QVERIFY(!outcome.started);
        QVERIFY(outcome.error.contains("Impossible de démarrer LuaPlayer"));
        QVERIFY(outcome.error.contains(mApp + "/luaplayer"));
    }

    void failedWriteStartsNothing_data() {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("variables.lua") << "projets/Jeu/variables.lua";
        QTest::newRow("ev.lua") << "projets/Jeu/ev.lua";
        QTest::newRow("launcher") << "index.lua";
    }
    void failedWriteStartsNothing() {
        QFETCH(QString, blocked);
        QVERIFY(QDir().mkpath(mApp + "/" + blocked)); // a folder where the file should go
        RecordingProcessService processes;
        const TestRunOutcome outcome = tester(mApp, "Jeu", processes);
        QVERIFY(!outcome.started);
        QVERIFY(processes.started.isEmpty());
        QVERIFY2(outcome.error.contains("Impossible d'écrire le fichier " + mApp + "/" + blocked),
                 qPrintable(outcome.error));
    }

    void noProject() {
        RecordingProcessService processes;
        const TestRunOutcome outcome = tester(mApp, "", processes);
        QVERIFY(!outcome.started);
        QVERIFY(!outcome.error.isEmpty());
        QVERIFY(processes.started.isEmpty());
        QVERIFY(!QFile::exists(mApp + "/projets/variables.lua"));
    }

    void syntaxFaultNamed_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("unbalanced if")
            << "ev/map02/ev312" << QByteArray("\r\nif var[1] == \"0\" then\r\nhero.vie = 1\r\n")
            << QStringList{"carte 02, ligne 3, colonne 12", "'end' expected"};
        QTest::newRow("quote in text")
            << "ev/map01/ev111" << QByteArray("\r\nhero.vie = 1\r\n\r\naffichertexte(\"Il dit \"non\"\")\r\n")
            << QStringList{"carte 01, ligne 1, colonne 11", "ligne 3 du script", "near 'non'"};
        QTest::newRow("stray end")
            << "ev/map01/ev11" << QByteArray("\r\nend\r\n")
            << QStringList{"carte 01, ligne 1, colonne 1 ", "ligne 1 du script"};
    }
    void syntaxFaultNamed() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        putBytes(mProject + "/" + file, content);
        RecordingProcessService processes;
        const TestRunOutcome outcome = tester(mApp, "Jeu", processes);
        QVERIFY(!outcome.started);
        QVERIFY(processes.started.isEmpty());
        for (const QString& part : expected)
            QVERIFY2(outcome.error.contains(part), qPrintable(outcome.error));
        // The stored script is left exactly as the user made it.
        QCOMPARE(fileBytes(mProject + "/" + file), content);
        QVERIFY(fileBytes(mProject + "/ev.lua").contains(content));
    }

    void badStartValueNamed() {
        putBytes(mProject + "/projet.ini",
                 "[Jeu]\r\ncartes=1\r\n[Variables]\r\nnombre=3\r\n[Variable1]\r\nvaleur=0\r\n"
                 "[Variable2]\r\nvaleur=Il dit \"non\r\n[Variable3]\r\nvaleur=x\r\n");
        RecordingProcessService processes;
        const TestRunOutcome outcome = tester(mApp, "Jeu", processes);
        QVERIFY(!outcome.started);
        QVERIFY2(outcome.error.contains("variable 2 "), qPrintable(outcome.error));
        QVERIFY(outcome.error.contains("variables.lua"));
        QVERIFY(fileBytes(mProject + "/variables.lua").contains("var[2] = \"Il dit \"non\"\r\n"));
    }

    void wholeFileGuard() {
        // Each piece alone compiles, the file as a whole does not.
        GameScripts scripts;
        scripts.variables = "--Variables du jeu\r\nvar = {}\r\n";
        scripts.events = "function runev(colonne,ligne,map)\r\n";
        const auto error = checkGameScripts(scripts);
        QVERIFY(error.has_value());
        QVERIFY(error->contains("ev.lua"));
        scripts.events += "end";
        QCOMPARE(checkGameScripts(scripts), std::nullopt);
    }

private:
    std::unique_ptr<QTemporaryDir> mDir;
    QString mApp;
    QString mProject;
};

QTEST_GUILESS_MAIN(TestTestRun)
#include "tst_testrun.moc"
