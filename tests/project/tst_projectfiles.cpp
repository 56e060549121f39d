// The file helpers on disk: encoding, atomic replacement, failures, case-insensitive lookup,
// and the number texts.
#include "project/module1.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestProjectFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(mDir.reset()); }
    void iniOnDisk();
    void iniWriteOfUnchangedValueLeavesFileAlone();
    void iniRefusedPairWritesNothing();
    void writefileAndReadfile();
    void failedWritesLeaveNothing_data();
    void failedWritesLeaveNothing();
    void cp1252RoundTrip();
    void readOnlyTargetKeepsOldContent();
    void interruptedWriteKeepsOldContent();
    void caseInsensitiveLookup();
    void mapNumberText_data();
    void mapNumberText();
    void wholeNumber_data();
    void wholeNumber();

private:
    struct Dir {
        std::unique_ptr<QTemporaryDir> tmp;
        bool reset() {
            tmp = std::make_unique<QTemporaryDir>();
            return tmp->isValid();
        }
        QString path(const QString& rel) const { return tmp->filePath(rel); }
    } mDir;
};

void TestProjectFiles::iniOnDisk() {
    const QString ini = mDir.path("projet.ini");
    QCOMPARE(readini("Jeu", "nom", ini), QString()); // missing file
    QVERIFY(writeini("Jeu", "nom", "Aventure", ini));
    QCOMPARE(bytesOf(ini), QByteArray("[Jeu]\r\nnom=Aventure\r\n"));
    QVERIFY(writeini("Jeu", "auteur", "Bob", ini));
    QVERIFY(writeini("Carte01", "nom", "Carte 1", ini));
    QVERIFY(writeini("jeu", "NOM", "Quête", ini));
    QCOMPARE(bytesOf(ini), QByteArray("[Jeu]\r\nnom=Qu\xEAte\r\nauteur=Bob\r\n[Carte01]\r\nnom=Carte 1\r\n"));
    QCOMPARE(readini("JEU", "Auteur", ini), QString("Bob"));
    QCOMPARE(readini("carte01", "nom", ini), QString("Carte 1"));
    QCOMPARE(readini("Jeu", "ver", ini), QString());
    QCOMPARE(readini("Jeu", "nom", mDir.path("")), QString()); // a folder reads as nothing
}

void TestProjectFiles::iniWriteOfUnchangedValueLeavesFileAlone() {
    const QString ini = mDir.path("projet.ini");
    putBytes(ini, "[Jeu]\nnom = Aventure\n");
    const QDateTime old(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QVERIFY(writeini("jeu", "Nom", "Aventure", ini));
    QCOMPARE(QFileInfo(ini).lastModified(), old);
    QCOMPARE(bytesOf(ini), QByteArray("[Jeu]\nnom = Aventure\n"));
}

void TestProjectFiles::iniRefusedPairWritesNothing() {
    const QString ini = mDir.path("projet.ini");
    QVERIFY(!writeini("Variable1", "valeur", "a\r\n[Jeu]\r\nnom=pirate", ini));
    QVERIFY(!QFileInfo::exists(ini));
    putBytes(ini, "[Jeu]\r\nnom=Aventure\r\n");
    QVERIFY(!writeini("Jeu", "nom", "x\ny", ini));
    QCOMPARE(bytesOf(ini), QByteArray("[Jeu]\r\nnom=Aventure\r\n"));
}

void TestProjectFiles::writefileAndReadfile() {
    const QString file = mDir.path("a.txt");
    QVERIFY(writefile("abc", file));
    QCOMPARE(bytesOf(file), QByteArray("abc\r\n"));
    QCOMPARE(readfile(file), QString("abc\r\n"));
    QVERIFY(writefile("x\r\n", file)); // replaces, and always adds CR LF
    QCOMPARE(bytesOf(file), QByteArray("x\r\n\r\n"));
    QVERIFY(writefile("", file));
    QCOMPARE(bytesOf(file), QByteArray("\r\n"));
    putBytes(file, "a\rb\nc\r\n\t ");
    QCOMPARE(readfile(file), QString("a\rb\nc\r\n\t ")); // nothing stripped
    putBytes(file, "");
    QCOMPARE(readfile(file), QString());
    QCOMPARE(readfile(mDir.path("missing.txt")), QString());
    QCOMPARE(readfile(mDir.path("")), QString());
    QCOMPARE(readfile(QString()), QString());
}

void TestProjectFiles::failedWritesLeaveNothing_data() {
    QTest::addColumn<bool>("ini");
    QTest::newRow("writefile") << false;
    QTest::newRow("writeini") << true;
}

void TestProjectFiles::failedWritesLeaveNothing() {
    QFETCH(bool, ini);
    auto write = [&](const QString& path) {
        return ini ? writeini("A", "k", "v", path) : writefile("abc", path);
    };
    QVERIFY(!write(QString()));
    QVERIFY(!write(mDir.path("missing/file.txt")));
    QVERIFY(!write(mDir.path(""))); // a folder
    QCOMPARE(entries(mDir.path("")), QStringList());
}

void TestProjectFiles::cp1252RoundTrip() {
    const QString text = QStringLiteral("été œuvre 5 € «ça»");
    const QByteArray bytes("\xE9t\xE9 \x9Cuvre 5 \x80 \xAB\xE7" "a\xBB");
    const QString ini = mDir.path("projet.ini");
    QVERIFY(writeini("Variable1", "valeur", text, ini));
    QCOMPARE(bytesOf(ini), "[Variable1]\r\nvaleur=" + bytes + "\r\n");
    QCOMPARE(readini("variable1", "VALEUR", ini), text);

    const QString file = mDir.path("t.lua");
    QVERIFY(writefile(text, file));
    QCOMPARE(bytesOf(file), bytes + "\r\n");
    QCOMPARE(readfile(file), text + "\r\n");

    // Bytes the code page leaves undefined survive a read and a write.
    putBytes(file, "\x81\x8D\x8F\x90\x9D");
    QVERIFY(writefile(readfile(file), file));
    QCOMPARE(bytesOf(file), QByteArray("\x81\x8D\x8F\x90\x9D\r\n"));
}

void TestProjectFiles::readOnlyTargetKeepsOldContent() {
    const QString file = mDir.path("projet.ini");
    putBytes(file, "[Jeu]\r\nnom=Aventure\r\n");
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(!writeini("Jeu", "nom", "Autre", file));
    QVERIFY(!writefile("autre", file));
    QCOMPARE(bytesOf(file), QByteArray("[Jeu]\r\nnom=Aventure\r\n"));
    QCOMPARE(entries(mDir.path("")), QStringList{"projet.ini"});
}

// The process may write only a few bytes per file: the write fails midway, as on a full disk.
void TestProjectFiles::interruptedWriteKeepsOldContent() {
    const QString file = mDir.path("map01.map");
    const QByteArray old = QByteArray(100, 'o');
    putBytes(file, old);

    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const bool textWritten = writefile(QString(100000, u'n'), file);
    const bool bigIni = [&] {
        putBytes(file + ".ini", "[A]\r\nk=1\r\n" + QByteArray(4000, ';'));
        return writeini("A", "k", QString(200, u'v'), file + ".ini");
    }();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!textWritten);
    QVERIFY(!bigIni);
    QCOMPARE(bytesOf(file), old);
    QCOMPARE(bytesOf(file + ".ini"), "[A]\r\nk=1\r\n" + QByteArray(4000, ';'));
    QCOMPARE(entries(mDir.path("")), (QStringList{"map01.map", "map01.map.ini"}));
}

void TestProjectFiles::caseInsensitiveLookup() {
    QVERIFY(QDir().mkpath(mDir.path("Data/Images/Terrain01")));
    const QString real = mDir.path("Data/Images/Terrain01/Texture.INI");
    putBytes(real, "[texture]\r\nnbimg=4\r\n");

    const QString asked = mDir.path("data/images/terrain01/texture.ini");
    QCOMPARE(resolvePath(asked), real);
    QCOMPARE(readini("texture", "nbimg", asked), QString("4"));
    QCOMPARE(readfile(asked), QString("[texture]\r\nnbimg=4\r\n"));
    QVERIFY(writeini("texture", "nbimg", "5", asked)); // updates the real file
    QCOMPARE(readini("texture", "nbimg", real), QString("5"));

    // A missing tail is kept as asked, below the folders that were found.
    QCOMPARE(resolvePath(mDir.path("DATA/images/New/x.txt")), mDir.path("Data/Images/New/x.txt"));
    QVERIFY(writefile("n", mDir.path("data/IMAGES/new.txt")));
    QVERIFY(QFileInfo::exists(mDir.path("Data/Images/new.txt")));
    QCOMPARE(entries(mDir.path("")), QStringList{"Data"});
    // An exact name wins over one differing in case.
    putBytes(mDir.path("Data/Images/NEW.txt"), "upper");
    QCOMPARE(readfile(mDir.path("Data/Images/NEW.txt")), QString("upper"));
}

void TestProjectFiles::mapNumberText_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "01";
    QTest::newRow("9") << 9 << "09";
    QTest::newRow("10") << 10 << "10";
    QTest::newRow("123") << 123 << "123";
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("-1") << -1 << "-1";
}

void TestProjectFiles::mapNumberText() {
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(::mapNumberText(n), text);
}

void TestProjectFiles::wholeNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -999: no number
    QTest::newRow("02") << "02" << 2;
    QTest::newRow("blanks") << " 7 " << 7;
    QTest::newRow("sign") << "-3" << -3;
    QTest::newRow("empty") << "" << -999;
    QTest::newRow("word") << "abc" << -999;
    QTest::newRow("decimal") << "1.5" << -999;
    QTest::newRow("trailing text") << "3a" << -999;
    QTest::newRow("too large") << "99999999999" << -999;
}

void TestProjectFiles::wholeNumber() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(::wholeNumber(text).value_or(-999), value);
}

QTEST_GUILESS_MAIN(TestProjectFiles)
#include "tst_projectfiles.moc"
