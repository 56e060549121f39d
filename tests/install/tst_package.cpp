// The Debian package cpack makes from the build: its control fields and dependencies, what it
// installs with which modes, and lintian's verdict.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(600000))
        process.kill();
    process.waitForFinished();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// One line of "dpkg-deb --contents": the mode, owner and path of an entry.
struct Entry {
    QString mode;
    QString owner;
};

} // namespace

class TestPackage : public QObject {
    Q_OBJECT
    QTemporaryDir mOut;
    QString mDeb;
    QMap<QString, Entry> mContents; // by path, "./usr/bin/quendal"

    QString field(const char* name) const {
        return run(QStringLiteral("dpkg-deb"), {"--field", mDeb, name}).out.trimmed();
    }

  private slots:
    void initTestCase() {
        const Run cpack =
            run(QStringLiteral(QUENDAL_CPACK), {"-G", "DEB", "-B", mOut.path(), "--config",
                                                QUENDAL_BINARY_DIR "/CPackConfig.cmake"});
        QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
        const QStringList debs = QDir(mOut.path()).entryList({"quendal_*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        mDeb = mOut.filePath(debs.first());
        const Run contents = run(QStringLiteral("dpkg-deb"), {"--contents", mDeb});
        QCOMPARE(contents.exitCode, 0);
        for (const QString& line : contents.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
            mContents.insert(parts.value(5), {parts.value(0), parts.value(1)});
        }
    }

    void controlFields_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("Package") << "Package"
                                 << "^quendal$";
        QTest::newRow("Version") << "Version"
                                 << "^" QUENDAL_VERSION "-\\d+$";
        QTest::newRow("Section") << "Section"
                                 << "^devel$";
        QTest::newRow("Maintainer") << "Maintainer"
                                    << "^[^<]+ <[^@>]+@[^>]+>$";
        QTest::newRow("Description") << "Description"
                                     << "^game maker .*\n .*LuaPlayer";
    }
    void controlFields() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        const QString value = field(name.toLatin1().constData());
        QVERIFY2(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
                     .match(value)
                     .hasMatch(),
                 qPrintable(name + ": " + value));
    }

    // The libraries the programs link, found by dpkg-shlibdeps, and the fonts the player reads.
    void dependencies_data() {
        QTest::addColumn<QString>("package");
        for (const char* name :
             {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "liblua5.1-0",
              "libsdl2-2.0-0", "libxmp4", "fonts-dejavu-core"})
            QTest::newRow(name) << name;
    }
    void dependencies() {
        QFETCH(QString, package);
        QStringList names;
        for (const QString& dependency : field("Depends").split(u',', Qt::SkipEmptyParts))
            names << dependency.trimmed().section(u' ', 0, 0);
        QVERIFY2(names.contains(package), qPrintable(names.join(u' ')));
        for (const QString& name : names)
            QVERIFY2(!name.endsWith(QLatin1String("-dev")), qPrintable(name));
    }

    void contents_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mode");
        const QString usr = QStringLiteral("./usr/");
        QTest::newRow("quendal") << usr + QUENDAL_TEST_BINDIR "/quendal"
                                 << "-rwxr-xr-x";
        QTest::newRow("luaplayer") << usr + QUENDAL_TEST_PLAYERDIR "/luaplayer"
                                   << "-rwxr-xr-x";
        QTest::newRow("engine") << usr + QUENDAL_TEST_DATADIR "/ftgi.dat"
                                << "-rw-r--r--";
        QTest::newRow("guide") << usr + QUENDAL_TEST_DOCDIR "/index.html"
                               << "-rw-r--r--";
        QTest::newRow("copyright") << usr + QUENDAL_TEST_DOCDIR "/copyright"
                                   << "-rw-r--r--";
        QTest::newRow("changelog") << usr + QUENDAL_TEST_DOCDIR "/changelog.Debian.gz"
                                   << "-rw-r--r--";
        QTest::newRow("menu entry")
            << usr + QUENDAL_TEST_SHAREDIR "/applications/example.quendal.Quendal.desktop"
            << "-rw-r--r--";
        QTest::newRow("icon") << usr + QUENDAL_TEST_SHAREDIR "/icons/hicolor/48x48/apps/quendal.png"
                              << "-rw-r--r--";
        QTest::newRow("manual") << usr + QUENDAL_TEST_MANDIR "/man1/quendal.1.gz"
                                << "-rw-r--r--";
        QTest::newRow("data folder") << usr + QUENDAL_TEST_DATADIR "/"
                                     << "drwxr-xr-x";
    }
    void contents() {
        QFETCH(QString, path);
        QFETCH(QString, mode);
        QVERIFY2(mContents.contains(path), qPrintable(path));
        QCOMPARE(mContents[path].mode, mode);
        QCOMPARE(mContents[path].owner, QStringLiteral("root/root"));
    }

    // Everything under /usr, nothing writable by others, no placeholder from the repository.
    void onlyWhatIsInstalled() {
        for (auto it = mContents.cbegin(); it != mContents.cend(); ++it) {
            const QString& path = it.key();
            const QString& mode = it->mode;
            QVERIFY2(path.startsWith(QLatin1String("./usr/")) || path == QLatin1String("./"),
                     qPrintable(path));
            QVERIFY2(!path.endsWith(QLatin1String("/.keep")), qPrintable(path));
            QVERIFY2(mode.startsWith(u'l') || (mode[5] != u'w' && mode[8] != u'w'),
                     qPrintable(path + u' ' + mode));
        }
    }

    void lintianFindsNoError() {
        const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
        if (lintian.isEmpty())
            QSKIP("lintian is not installed");
        const Run check = run(lintian, {"--fail-on", "error", "--no-tag-display-limit", mDeb});
        if (!check.out.isEmpty())
            qInfo("%s", qPrintable(check.out));
        QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
        QVERIFY2(
            !check.out.contains(QRegularExpression("^E: ", QRegularExpression::MultilineOption)),
            qPrintable(check.out));
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
