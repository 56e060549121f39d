// quendal-build, the command-line build of a project's game, on a project made from the data.
#include "project/apppaths.h"
#include "project/creation.h"
#include "testsupport/files.h"
#include "testsupport/run.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

class TestBuildTool : public QObject {
    Q_OBJECT

    static ProgramRun build(const QStringList& arguments) {
        return runProgram(QStringLiteral(QUENDAL_BUILD_TOOL), arguments);
    }

private slots:
    void buildsAndChecksAProject() {
        QTemporaryDir app;
        QVERIFY(copyTree(QStringLiteral(QUENDAL_SOURCE_DIR "/data"), app.path() + "/data"));
        QVERIFY(createProject(AppPaths::inPlace(app.path()), "Jeu", "Moi"));
        const QString project = app.path() + "/projets/Jeu";
        QCOMPARE(build({project}).exitCode, 0);
        QVERIFY(bytesOf(project + "/ev.lua").startsWith("function runev(colonne,ligne,map)"));
        QCOMPARE(bytesOf(project + "/infos.lua"), QByteArray("jeu = { nom = \"Jeu\", auteur = \"Moi\" }\r\n"));

        QVERIFY(putFile(project + "/ev/map01/ev312", "\r\nif var[1] == \"0\" then\r\n"));
        const ProgramRun refused = build({project});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("ligne 3, colonne 12"), refused.err.constData());
        QCOMPARE(build({}).exitCode, 2);

        // Past a file size limit the write fails and is said, instead of ending the program.
        QVERIFY(QFile::remove(project + "/ev/map01/ev312"));
        QProcess limited;
        limited.setChildProcessModifier([] {
            rlimit small{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &small);
        });
        limited.start(QStringLiteral(QUENDAL_BUILD_TOOL), {project});
        QVERIFY(limited.waitForFinished(30000));
        QCOMPARE(limited.exitStatus(), QProcess::NormalExit);
        QCOMPARE(limited.exitCode(), 1);
        QVERIFY(limited.readAllStandardError().contains("ev.lua"));
        QCOMPARE(build({app.path()}).exitCode, 2); // no projet.ini there
    }
};

QTEST_GUILESS_MAIN(TestBuildTool)
#include "tst_buildtool.moc"
