// Where the program reads its supplied files and writes the work, run in place or installed.
#include "project/apppaths.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QtTest>

class TestAppPaths : public QObject {
    Q_OBJECT
  private slots:
    // A program folder with data/ beside the program runs in place; any other is installed,
    // its supplied files where the install rules put them under the prefix.
    void forProgram_data() {
        QTest::addColumn<QString>("setUp"); // what lies beside the program
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<QString>("workDir"); // relative to the temporary root
        QTest::newRow("data folder beside") << "data/"
                                            << "home" << true << "usr/bin";
        QTest::newRow("data is a file") << "data"
                                        << "home" << false << "home/quendal";
        QTest::newRow("nothing beside") << ""
                                        << "home" << false << "home/quendal";
        QTest::newRow("data home with a slash") << ""
                                                << "home/" << false << "home/quendal";
        QTest::newRow("accented data home") << ""
                                            << "données" << false << "données/quendal";
    }
    void forProgram() {
        QFETCH(QString, setUp);
        QFETCH(QString, dataHome);
        QFETCH(bool, inPlace);
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
        if (inPlace) {
            QCOMPARE(paths.dataDir, bin + QStringLiteral("/data"));
            QCOMPARE(paths.docDir, bin + QStringLiteral("/Doc"));
            QCOMPARE(paths.playerPath, bin + QStringLiteral("/luaplayer"));
        } else {
            QCOMPARE(paths.dataDir, prefix + QStringLiteral("/" QUENDAL_TEST_DATADIR));
            QCOMPARE(paths.docDir, prefix + QStringLiteral("/" QUENDAL_TEST_DOCDIR));
            QCOMPARE(paths.playerPath,
                     prefix + QStringLiteral("/" QUENDAL_TEST_PLAYERDIR "/luaplayer"));
        }
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
