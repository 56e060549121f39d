// The INI rules and the file helpers: reads, writes byte for byte, encoding, failed writes.
#include "project/inifile.h"
#include "project/module1.h"
#include "testsupport/files.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class TestProjectFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> mDir;
    QString path(const QString& rel) const { return mDir->filePath(rel); }

private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
    }

    void iniRead_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString jeu = "[Jeu]\r\nnom=Aventure\r\nauteur=Bob\r\n[Carte01]\r\nnom=Carte 1\r\n";
        QTest::newRow("names in other case") << jeu << "carte01" << "NOM" << "Carte 1";
        QTest::newRow("only the first section of a name")
            << "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n" << "A" << "z" << "";
        QTest::newRow("first key of a name wins") << "[A]\r\nk=1\r\nK=2\r\n" << "a" << "k" << "1";
        QTest::newRow("blanks trimmed") << "[A]\r\n \tk \t=  v  v \t\r\n" << "A" << "k" << "v  v";
        QTest::newRow("quotes removed") << "[A]\r\nk='hi'\r\n" << "A" << "k" << "hi";
        QTest::newRow("one pair only") << "[A]\r\nk=\"\"x\"\"\r\n" << "A" << "k" << "\"x\"";
        QTest::newRow("unmatched quotes kept") << "[A]\r\nk=\"hi'\r\n" << "A" << "k" << "\"hi'";
        QTest::newRow("LF lines") << "[A]\nx=0\nk=1\n[B]\nk=2\n" << "B" << "k" << "2";
        QTest::newRow("quoted 300 characters cut to 254")
            << "[A]\r\nk=\"" + QString(300, u'y') + "\"\r\n" << "A" << "k" << QString(254, u'y');
    }
    void iniRead() {
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(iniValue(text, section, key), expected);
    }

    void iniWrite_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("existing key keeps its spelling")
            << "[Jeu]\r\nAuteur=Bob\r\n" << "jeu" << "auteur" << "[Jeu]\r\nAuteur=v\r\n";
        QTest::newRow("other lines byte for byte")
            << "; c\r\n[Jeu]\n  nom = x \r\n\tother =1\rlast=2" << "Jeu" << "other"
            << "; c\r\n[Jeu]\n  nom = x \r\nother=v\rlast=2";
        QTest::newRow("first key of a name replaced")
            << "[A]\r\nk=1\r\nK=2\r\n" << "A" << "K" << "[A]\r\nk=v\r\nK=2\r\n";
        QTest::newRow("missing key after the first section's last line")
            << "[A]\r\nk=1\r\n\r\n[B]\r\n[a]\r\n" << "A" << "n" << "[A]\r\nk=1\r\nn=v\r\n\r\n[B]\r\n[a]\r\n";
        QTest::newRow("missing section appended with CR LF")
            << "[A]\nk=1" << "B" << "n" << "[A]\nk=1\r\n[B]\r\nn=v\r\n";
        // The rewritten line ends with CR LF, also when it was the file's unfinished last one.
        QTest::newRow("unfinished last line replaced")
            << "[Jeu]\r\nnom=X" << "Jeu" << "nom" << "[Jeu]\r\nnom=v\r\n";
        QTest::newRow("unfinished last key line without a value")
            << "[Jeu]\rnom" << "Jeu" << "nom" << "[Jeu]\rnom=v\r\n";
    }
    void iniWrite() {
        QFETCH(QString, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, after);
        QCOMPARE(iniWithValue(before, section, key, "v"), std::optional<QString>(after));
    }

    // A write creates a missing file; text is Windows-1252 on disk.
    void windows1252RoundTrip() {
        const QString text = QStringLiteral("été œuvre 5 €");
        const QByteArray bytes("\xE9t\xE9 \x9Cuvre 5 \x80");
        QCOMPARE(readini("Variable1", "valeur", path("projet.ini")), QString());
        QVERIFY(writeini("Variable1", "valeur", text, path("projet.ini")));
        QCOMPARE(bytesOf(path("projet.ini")), "[Variable1]\r\nvaleur=" + bytes + "\r\n");
        QCOMPARE(readini("variable1", "VALEUR", path("projet.ini")), text);
        QVERIFY(writefile(text, path("t.lua"))); // adds CR LF
        QCOMPARE(bytesOf(path("t.lua")), bytes + "\r\n");
        QCOMPARE(readfile(path("t.lua")), text + "\r\n");
    }

    void failedWritesLeaveNothing() {
        for (const QString& target : {QString(), path("missing/file.txt"), path("")})
            QVERIFY(!writeini("A", "k", "v", target) && !writefile("abc", target));
        QCOMPARE(tree(path("")), QStringList());
    }

    // The process may write only 4 KiB per file: the write fails midway, as on a full disk.
    void interruptedWriteKeepsOldContent() {
        const QByteArray old = "[A]\r\nk=1\r\n" + QByteArray(4000, ';');
        QVERIFY(putFile(path("map01.map"), old));
        QVERIFY(putFile(path("projet.ini"), old));
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool textWritten = writefile(QString(100000, u'n'), path("map01.map"));
        const bool iniWritten = writeini("A", "k", QString(200, u'v'), path("projet.ini"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!textWritten && !iniWritten);
        QCOMPARE(bytesOf(path("map01.map")), old);
        QCOMPARE(bytesOf(path("projet.ini")), old);
        QCOMPARE(tree(path("")), (QStringList{"map01.map", "projet.ini"}));
    }

    // A link in the project is replaced by the file saved there: what it points to, in the
    // project or outside, is never written, and a dangling one creates nothing outside.
    void savesReplaceLinksInsteadOfWritingThrough() {
        QTemporaryDir outside;
        const QString target = outside.filePath("hostname");
        QVERIFY(putFile(target, "machine\n"));
        QVERIFY(QFile::link(target, path("map01.map")));
        QVERIFY(QFile::link(outside.filePath("nothing"), path("projet.ini")));
        QVERIFY(writefile("0503", path("map01.map")));
        QVERIFY(writeini("Jeu", "nom", "Aventure", path("projet.ini")));
        QCOMPARE(bytesOf(target), QByteArray("machine\n"));
        QVERIFY(!QFileInfo::exists(outside.filePath("nothing")));
        QVERIFY(!QFileInfo(path("map01.map")).isSymLink());
        QCOMPARE(bytesOf(path("map01.map")), QByteArray("0503\r\n"));
        QCOMPARE(readini("Jeu", "nom", path("projet.ini")), QStringLiteral("Aventure"));
    }

    // A named pipe where a file was expected reads as nothing at once, and a temporary file
    // left by a killed save goes at the next save of that file.
    void pipesAreNotReadAndLeftoversGo() {
        QVERIFY(mkfifo(QFile::encodeName(path("ev11")).constData(), 0600) == 0);
        QCOMPARE(readfile(path("ev11")), QString());
        QVERIFY(putFile(path(".map01.map.~k1ll3d"), "half a map"));
        QVERIFY(writefile("0503", path("map01.map")));
        QCOMPARE(QDir(path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"map01.map"});
    }

    void pathsIgnoreLetterCase() {
        const QString real = path("Data/Terrain01/Texture.INI");
        QVERIFY(putFile(real, "[texture]\r\nnbimg=4\r\n"));
        QVERIFY(writeini("texture", "nbimg", "5", path("data/terrain01/texture.ini")));
        QCOMPARE(readini("texture", "nbimg", real), QString("5"));
        QCOMPARE(resolvePath(path("DATA/New/x.txt")), path("Data/New/x.txt"));
    }

    void wholeNumbers() {
        QCOMPARE(wholeNumber(" 02 "), std::optional<int>(2));
        for (const QString bad : {"", "abc", "1.5", "3a", "99999999999"})
            QCOMPARE(wholeNumber(bad), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestProjectFiles)
#include "tst_projectfiles.moc"
