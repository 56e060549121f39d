// Building a project: variables.lua, ev.lua, the launcher, the syntax check and the test run.
#include "build/compiler.h"
#include "build/launcher.h"
#include "build/syntaxcheck.h"
#include "build/testrun.h"
#include "project/apppaths.h"
#include "testsupport/files.h"
#include "testsupport/processes.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// The whole of ev.lua for maps whose cells are all empty except the given ones ("map/row/col").
QByteArray expectedEvents(int maps, const QHash<QString, QByteArray>& contents = {}) {
    QByteArray out = "function runev(colonne,ligne,map)\r\n";
    for (int m = 1; m <= maps; ++m) {
        out += "if map == \"" + QByteArray::number(m).rightJustified(2, '0') + "\" then\r\n";
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 17; ++c)
                out += "\r\n    if ligne == " + QByteArray::number(r) + " and colonne == " +
                       QByteArray::number(c) + " then\r\n    " +
                       contents.value(QString("%1/%2/%3").arg(m).arg(r).arg(c)) + "\r\n    end\r\n\r\n";
        out += "end\r\n";
    }
    return out + "\r\nend\r\n";
}

} // namespace

class TestBuild : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> mDir;
    QString mApp;
    QString mProject;
    RecordingProcessService mProcesses;

    TestRunOutcome test() { return tester(AppPaths::inPlace(mApp), "Jeu", mProcesses); }

private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        mApp = mDir->path();
        mProject = mApp + "/projets/Jeu";
        mProcesses.started.clear();
        QVERIFY(putFile(mProject + "/projet.ini",
                        "[Jeu]\r\nnom=Aventure\r\nauteur=Moi\r\ncartes=1\r\ncombats=0\r\n[Variables]\r\n"
                        "nombre=2\r\n[Variable1]\r\nvaleur=0\r\n[Variable2]\r\nvaleur=Anonyme\r\n"));
        QVERIFY(putFile(mProject + "/ev/map01/ev23", "\r\nscreen.waitVblankStart(30)\r\n"));
    }

    void workedExample() {
        QVERIFY(putFile(mProject + "/ev.lua", "-- modele\r\n")); // replaced whole
        const CompileResult result = compiler(mProject);
        QVERIFY(result.variablesWritten && result.eventsWritten);
        const QByteArray variables = "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n"
                                     "var[2] = \"Anonyme\"\r\n\r\n";
        QCOMPARE(bytesOf(mProject + "/variables.lua"), variables);
        const QByteArray ev = bytesOf(mProject + "/ev.lua");
        QCOMPARE(ev, expectedEvents(1, {{"1/2/3", "\r\nscreen.waitVblankStart(30)\r\n"}}));
        const QList<QByteArray> lines = ev.split('\n');
        QCOMPARE(lines.size(), 773); // 772 lines, each ended by CR LF
        QCOMPARE(lines[98], "    if ligne == 2 and colonne == 3 then\r");

        // The engine's title screen reads the game's name and author as Lua strings.
        QCOMPARE(bytesOf(mProject + "/infos.lua"),
                 QByteArray("jeu = { nom = \"Aventure\", auteur = \"Moi\" }\r\n"));
        QCOMPARE(luaString("Le \"Roi\" \\o/\n"), QStringLiteral("\"Le \\\"Roi\\\" \\\\o/\\n\""));

        QVERIFY(compiler(mProject).eventsWritten); // a second build gives the same bytes
        QCOMPARE(bytesOf(mProject + "/ev.lua"), ev);
        QCOMPARE(bytesOf(mProject + "/variables.lua"), variables);
    }

    void counts_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("maps");
        QTest::addColumn<QByteArray>("variables");
        const QByteArray bare = "--Variables du jeu\r\nvar = {}\r\n\r\n";
        QTest::newRow("nothing") << QByteArray("[Jeu]\r\ncartes=0\r\n[Variables]\r\nnombre=0\r\n")
                                 << 0 << bare;
        QTest::newRow("02 maps") << QByteArray("[Jeu]\r\ncartes=02\r\n") << 2 << bare;
        QTest::newRow("quote and backslash kept")
            << QByteArray("[Variables]\r\nnombre=2\r\n[Variable1]\r\nvaleur=a\"b\r\n") << 0
            << QByteArray("--Variables du jeu\r\nvar = {}\r\nvar[1] = \"a\"b\"\r\nvar[2] = \"\"\r\n\r\n");
    }
    void counts() {
        QFETCH(QByteArray, ini);
        QFETCH(int, maps);
        QFETCH(QByteArray, variables);
        QVERIFY(QFile::remove(mProject + "/ev/map01/ev23"));
        QVERIFY(putFile(mProject + "/projet.ini", ini));
        QVERIFY(compiler(mProject).eventsWritten);
        QCOMPARE(bytesOf(mProject + "/variables.lua"), variables);
        QCOMPARE(bytesOf(mProject + "/ev.lua"), expectedEvents(maps));
    }

    // Empty cells make 5-line blocks, "\r\n" 6 lines, one command 7 lines.
    void cellsAndMaps() {
        QVERIFY(putFile(mProject + "/projet.ini", "[Jeu]\r\ncartes=10\r\n"));
        QVERIFY(putFile(mProject + "/ev/map01/ev111", "\r\nrunmap(\"02\")\r\n")); // row 1, column 11
        QVERIFY(putFile(mProject + "/ev/map01/ev11", "\r\n"));                    // row 1, column 1
        QVERIFY(putFile(mProject + "/ev/map10/EV55", "\r\nend\r\n"));             // any letter case
        QVERIFY(compiler(mProject).eventsWritten);
        QCOMPARE(bytesOf(mProject + "/ev.lua"),
                 expectedEvents(10, {{"1/1/11", "\r\nrunmap(\"02\")\r\n"}, {"1/1/1", "\r\n"},
                                     {"1/2/3", "\r\nscreen.waitVblankStart(30)\r\n"},
                                     {"10/5/5", "\r\nend\r\n"}}));
    }

    void launcherBytes() {
        QVERIFY(writeLauncher(mApp, "Mon \"jeu\" 1"));
        QCOMPARE(bytesOf(mApp + "/index.lua"),
                 QByteArray("System.currentDirectory(\"projets/Mon \"jeu\" 1\")\r\n"
                            "dofile(\"index.lua\")\r\n"));
    }

    // The player is followed, from the application folder; one that cannot start is reported.
    // The build reads only regular files: a link elsewhere and a named pipe are left out, named.
    void testerStartsThePlayer() {
        QTemporaryDir outside;
        QVERIFY(putFile(outside.filePath("hostname"), "machine-secrete"));
        QVERIFY(QFile::link(outside.filePath("hostname"), mProject + "/ev/map01/ev11"));
        QVERIFY(mkfifo(QFile::encodeName(mProject + "/ev/map01/ev12").constData(), 0600) == 0);
        const TestRunOutcome outcome = test();
        QVERIFY2(outcome.started, qPrintable(outcome.error));
        QVERIFY(!bytesOf(mProject + "/ev.lua").contains("machine-secrete"));
        QVERIFY(outcome.notice.contains(mProject + "/ev/map01/ev11") && outcome.notice.contains(mProject + "/ev/map01/ev12"));
        const RecordingProcessService::Start& start = mProcesses.started[0];
        QCOMPARE(QStringList({start.program, start.workingDirectory}) + start.arguments,
                 (QStringList{mApp + "/luaplayer", mApp, "--live", "index.lua"}));
        QVERIFY(start.followed && outcome.program && outcome.program->isRunning());
        QVERIFY(bytesOf(mApp + "/index.lua").startsWith("System.currentDirectory(\"projets/Jeu\")"));
        mProcesses.succeed = false;
        const TestRunOutcome failed = test();
        QVERIFY(!failed.started && failed.error.contains(mApp + "/luaplayer"));
        mProcesses.succeed = true;
    }

    // A refused cell (also one refused only inside the generated function; a quote adds how to
    // write one) or a file that cannot be written is named, and nothing starts.
    void refusedBuildStartsNothing_data() {
        QTest::addColumn<QString>("file");       // below the application folder
        QTest::addColumn<QByteArray>("content"); // empty: a folder where the file should go
        QTest::addColumn<QString>("said");       // %1: the application folder
        QTest::addColumn<bool>("quoteHint");
        const QString cells = "projets/Jeu/ev/map01/";
        QTest::newRow("unbalanced if") << cells + "ev312" << QByteArray("\r\nif var[1] == \"0\" then\r\n")
                                       << "carte 01, ligne 3, colonne 12" << true;
        QTest::newRow("quote in text") << cells + "ev111" << QByteArray("\r\naffichertexte(\"Il dit \"non\"\")\r\n")
                                       << "carte 01, ligne 1, colonne 11" << true;
        QTest::newRow("backslash at the end of a text")
            << cells + "ev55" << QByteArray("\r\naffichertexte(\"C:\\\")\r\n") << "carte 01, ligne 5, colonne 5" << true;
        QTest::newRow("vararg outside the event function")
            << cells + "ev98" << QByteArray("\r\nhero.vie = hero.vie + ...\r\n") << "carte 01, ligne 9, colonne 8" << false;
        QTest::newRow("quote in a start value")
            << "projets/Jeu/projet.ini"
            << QByteArray("[Jeu]\r\ncartes=1\r\n[Variables]\r\nnombre=1\r\n[Variable1]\r\nvaleur=a\"b\r\n") << "variable 1" << true;
        for (const QString blocked : {"projets/Jeu/variables.lua", "projets/Jeu/ev.lua", "index.lua"})
            QTest::newRow(qPrintable("cannot write " + blocked))
                << blocked << QByteArray() << "Impossible d'écrire le fichier %1/" + blocked << false;
    }
    void refusedBuildStartsNothing() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, said);
        QFETCH(bool, quoteHint);
        QVERIFY(content.isEmpty() ? QDir().mkpath(mApp + '/' + file) : putFile(mApp + '/' + file, content));
        const QString error = test().error;
        QVERIFY2(error.contains(said.replace("%1", mApp)) && error.contains(kQuoteHint) == quoteHint, qPrintable(error));
        QVERIFY(mProcesses.started.isEmpty());
        QCOMPARE(bytesOf(mApp + '/' + file), content); // the script is left as it was
    }
};

QTEST_GUILESS_MAIN(TestBuild)
#include "tst_build.moc"
