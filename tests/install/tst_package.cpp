// The Debian package cpack makes: its dependencies, its files' modes and lintian's verdict.
#include "testsupport/run.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

class TestPackage : public QObject {
    Q_OBJECT
    QTemporaryDir mOut;
    QString mDeb;
    QMap<QString, QString> mContents; // "mode owner" by path, "./usr/bin/quendal"

  private slots:
    void initTestCase() {
        const ProgramRun cpack =
            runProgram(QStringLiteral(QUENDAL_CPACK),
                       {"-G", "DEB", "-B", mOut.path(), "--config", QUENDAL_BINARY_DIR "/CPackConfig.cmake"}, {},
                       QProcessEnvironment::systemEnvironment(), 600000);
        QVERIFY2(cpack.exitCode == 0, (cpack.out + cpack.err).constData());
        const QStringList debs = QDir(mOut.path()).entryList({"quendal_*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        mDeb = mOut.filePath(debs.first());
        const ProgramRun contents = runProgram(QStringLiteral("dpkg-deb"), {"--contents", mDeb});
        QCOMPARE(contents.exitCode, 0);
        for (const QString& line : QString::fromUtf8(contents.out).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
            mContents.insert(parts.value(5), parts.value(0) + u' ' + parts.value(1));
        }
    }

    // The libraries the programs link, found by dpkg-shlibdeps, and the fonts the player reads.
    void dependencies() {
        QStringList names;
        const QString depends = QString::fromUtf8(runProgram(QStringLiteral("dpkg-deb"), {"--field", mDeb, "Depends"}).out);
        for (const QString& dependency : depends.split(u',', Qt::SkipEmptyParts))
            names << dependency.trimmed().section(u' ', 0, 0);
        for (const char* package : {"libqt6widgets6", "liblua5.1-0", "libsdl2-2.0-0", "libxmp4", "fonts-dejavu-core"})
            QVERIFY2(names.contains(package), qPrintable(package + (" not in " + names.join(u' '))));
        for (const QString& name : names)
            QVERIFY2(!name.endsWith(QLatin1String("-dev")), qPrintable(name));
    }

    void contents_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mode");
        // What tst_installed checks in a DESTDIR; here the modes the package gives.
        const QString usr = QStringLiteral("./usr/");
        QTest::newRow("quendal") << usr + QUENDAL_TEST_BINDIR "/quendal" << "-rwxr-xr-x";
        QTest::newRow("luaplayer") << usr + QUENDAL_TEST_PLAYERDIR "/luaplayer" << "-rwxr-xr-x";
        QTest::newRow("engine") << usr + QUENDAL_TEST_DATADIR "/ftgi.dat" << "-rw-r--r--";
        QTest::newRow("changelog") << usr + QUENDAL_TEST_DOCDIR "/changelog.Debian.gz" << "-rw-r--r--";
        QTest::newRow("data folder") << usr + QUENDAL_TEST_DATADIR "/" << "drwxr-xr-x";
    }
    void contents() {
        QFETCH(QString, path);
        QFETCH(QString, mode);
        QCOMPARE(mContents.value(path), mode + " root/root");
    }

    // Everything under /usr, nothing writable by others, no placeholder from the repository.
    void onlyWhatIsInstalled() {
        for (auto it = mContents.cbegin(); it != mContents.cend(); ++it) {
            const QString& path = it.key();
            const QString& mode = it.value();
            QVERIFY2(path.startsWith(QLatin1String("./usr/")) || path == QLatin1String("./"), qPrintable(path));
            QVERIFY2(!path.endsWith(QLatin1String("/.keep")), qPrintable(path));
            QVERIFY2(mode.startsWith(u'l') || (mode[5] != u'w' && mode[8] != u'w'),
                     qPrintable(path + u' ' + mode));
        }
    }

    void lintianFindsNoError() {
        const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
        if (lintian.isEmpty())
            QSKIP("lintian is not installed");
        const ProgramRun check = runProgram(lintian, {"--fail-on", "error", "--no-tag-display-limit", mDeb}, {},
                                            QProcessEnvironment::systemEnvironment(), 600000);
        QVERIFY2(check.exitCode == 0, (check.out + check.err).constData()); // --fail-on error
    }
};

// Without dpkg's tools there is no package to make: the test reports itself skipped.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            std::printf("SKIP: %s is not installed\n", tool);
            return 77;
        }
    TestPackage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_package.moc"
