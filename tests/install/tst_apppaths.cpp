// Where the program reads its supplied files and writes the work, run in place or installed.
#include "project/apppaths.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QtTest>

class TestAppPaths : public QObject {
    Q_OBJECT
  private slots:
    // With data/ beside the program it runs in place; otherwise as installed under the prefix.
    void forProgram_data() {
        QTest::addColumn<QString>("setUp"); // what lies beside the program
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("workDir"); // relative to the temporary root; usr/bin: in place
        QTest::newRow("data folder beside") << "data/" << "home" << "usr/bin";
        QTest::newRow("data is a file") << "data" << "home" << "home/quendal";
        QTest::newRow("data home with a slash") << "" << "home/" << "home/quendal";
        QTest::newRow("accented data home") << "" << "données" << "données/quendal";
    }
    void forProgram() {
        QFETCH(QString, setUp);
        QFETCH(QString, dataHome);
        QFETCH(QString, workDir);
        QTemporaryDir root;
        const QString prefix = root.path() + QStringLiteral("/usr");
        const QString bin = prefix + QStringLiteral("/" QUENDAL_TEST_BINDIR);
        QVERIFY(QDir().mkpath(bin));
        if (setUp.endsWith(u'/'))
            QVERIFY(QDir().mkpath(bin + u'/' + setUp));
        else if (!setUp.isEmpty())
            QVERIFY(putFile(bin + u'/' + setUp, "not a folder"));

        const AppPaths paths = AppPaths::forProgram(bin, root.path() + u'/' + dataHome);
        QCOMPARE(paths.workDir, root.path() + u'/' + workDir);
        const bool inPlace = workDir == QLatin1String("usr/bin");
        QCOMPARE(paths.dataDir, inPlace ? bin + "/data" : prefix + "/" QUENDAL_TEST_DATADIR);
        QCOMPARE(paths.docDir, inPlace ? bin + "/Doc" : prefix + "/" QUENDAL_TEST_DOCDIR);
        QCOMPARE(paths.playerPath, inPlace ? bin + "/luaplayer" : prefix + "/" QUENDAL_TEST_PLAYERDIR "/luaplayer");
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
