// The INI text rules: what a read finds and what a write changes, byte for byte.
#include "project/cp1252.h"
#include "project/inifile.h"

#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void unchangedValueNeedsNoWrite();
    void refusesPairsThatBreakTheFile_data();
    void refusesPairsThatBreakTheFile();
};

void TestIniFile::read_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString jeu = "[Jeu]\r\nnom=Aventure\r\nauteur=Bob\r\n[Carte01]\r\nnom=Carte 1\r\n";
    QTest::newRow("key in other case") << jeu << "Jeu" << "Auteur" << "Bob";
    QTest::newRow("section in other case") << jeu << "carte01" << "NOM" << "Carte 1";
    QTest::newRow("names asked are trimmed") << jeu << " Jeu\t" << " nom " << "Aventure";
    QTest::newRow("missing section") << jeu << "Variables" << "nombre" << "";
    QTest::newRow("missing key") << jeu << "Jeu" << "ver" << "";
    QTest::newRow("empty text") << "" << "Jeu" << "nom" << "";
    QTest::newRow("only the first section of a name")
        << "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n" << "A" << "z" << "";
    QTest::newRow("first key of a name wins") << "[A]\r\nk=1\r\nK=2\r\n" << "a" << "k" << "1";
    QTest::newRow("blanks around name and value")
        << "[A]\r\n \tk \t=  v  v \t\r\n" << "A" << "k" << "v  v";
    QTest::newRow("double quotes removed") << "[A]\r\nk=\"hi there\"\r\n" << "A" << "k" << "hi there";
    QTest::newRow("single quotes removed") << "[A]\r\nk='hi'\r\n" << "A" << "k" << "hi";
    QTest::newRow("one pair only") << "[A]\r\nk=\"\"x\"\"\r\n" << "A" << "k" << "\"x\"";
    QTest::newRow("unmatched quotes kept") << "[A]\r\nk=\"hi'\r\n" << "A" << "k" << "\"hi'";
    QTest::newRow("inner quotes kept") << "[A]\r\nk=a\"b\"\r\n" << "A" << "k" << "a\"b\"";
    QTest::newRow("lone quote kept") << "[A]\r\nk=\"\r\n" << "A" << "k" << "\"";
    QTest::newRow("value holding =") << "[A]\r\nk=a=b\r\n" << "A" << "k" << "a=b";
    QTest::newRow("semicolon starts no comment") << "[A]\r\n;k=1 ;c\r\n" << "A" << ";k" << "1 ;c";
    QTest::newRow("hash starts no comment") << "[A]\r\n#k=1\r\n" << "A" << "#k" << "1";
    QTest::newRow("text after ] ignored") << "[A] junk\r\nk=1\r\n" << "A" << "k" << "1";
    QTest::newRow("blanks around header") << "  [ A ]  \r\nk=1\r\n" << "A" << "k" << "1";
    QTest::newRow("[ without ] is no header")
        << "[A]\r\n[B\r\nk=1\r\n" << "A" << "k" << "1";
    QTest::newRow("key without value reads empty")
        << "[A]\r\nlonely\r\nk=1\r\n" << "A" << "lonely" << "";
    QTest::newRow("key without value hides a later one")
        << "[A]\r\nk\r\nk=1\r\n" << "A" << "k" << "";
    QTest::newRow("LF lines") << "[A]\nx=0\nk=1\n[B]\nk=2\n" << "B" << "k" << "2";
    QTest::newRow("CR lines") << "[A]\rx=0\rk=1\r[B]\rk=2" << "A" << "k" << "1";
    QTest::newRow("mixed lines") << "[A]\r\nx=0\rk=1\n[B]\r\n" << "A" << "k" << "1";
    QTest::newRow("no final line end") << "[A]\r\nk=1" << "A" << "k" << "1";
    QTest::newRow("300 characters cut to 254")
        << "[A]\r\nk=" + QString(300, u'x') + "\r\n" << "A" << "k" << QString(254, u'x');
    QTest::newRow("quotes removed before the cut")
        << "[A]\r\nk=\"" + QString(300, u'y') + "\"\r\n" << "A" << "k" << QString(254, u'y');
    QTest::newRow("254 characters kept whole")
        << "[A]\r\nk=" + QString(254, u'z') << "A" << "k" << QString(254, u'z');
}

void TestIniFile::read() {
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(iniValue(text, section, key), expected);
}

void TestIniFile::write_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty text gets section and key")
        << "" << "Jeu" << "nom" << "Aventure" << "[Jeu]\r\nnom=Aventure\r\n";
    QTest::newRow("names and value trimmed")
        << "" << " Jeu " << "\tnom " << "  Aventure  " << "[Jeu]\r\nnom=Aventure\r\n";
    QTest::newRow("existing key keeps its spelling")
        << "[Jeu]\r\nAuteur=Bob\r\n" << "jeu" << "auteur" << "Ann" << "[Jeu]\r\nAuteur=Ann\r\n";
    QTest::newRow("other lines byte for byte")
        << "; c\r\n[Jeu]\n  nom = x \r\n\tother =1\rlast=2"
        << "Jeu" << "other" << "3" << "; c\r\n[Jeu]\n  nom = x \r\nother=3\rlast=2";
    QTest::newRow("first key of a name replaced")
        << "[A]\r\nk=1\r\nK=2\r\n" << "A" << "K" << "9" << "[A]\r\nk=9\r\nK=2\r\n";
    QTest::newRow("key without value replaced")
        << "[A]\r\nlonely\r\nk=1\r\n" << "A" << "lonely" << "v" << "[A]\r\nlonely=v\r\nk=1\r\n";
    QTest::newRow("empty value")
        << "[A]\r\nk=1\r\n" << "A" << "k" << "" << "[A]\r\nk=\r\n";
    QTest::newRow("missing key after last non-blank line of first copy")
        << "[A]\r\nk=1\r\n\r\n[B]\r\nx=1\r\n[a]\r\nz=1\r\n" << "A" << "n" << "2"
        << "[A]\r\nk=1\r\nn=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nz=1\r\n";
    QTest::newRow("missing key in an empty section")
        << "[A]\r\n\r\n\r\n[B]\r\n" << "A" << "n" << "2" << "[A]\r\nn=2\r\n\r\n\r\n[B]\r\n";
    QTest::newRow("missing key at the end without line end")
        << "[A]\r\nk=1" << "A" << "n" << "2" << "[A]\r\nk=1\r\nn=2\r\n";
    QTest::newRow("missing key after a header without line end")
        << "[A]" << "A" << "n" << "2" << "[A]\r\nn=2\r\n";
    QTest::newRow("missing key in LF text")
        << "[A]\nk=1\n[B]\n" << "A" << "n" << "2" << "[A]\nk=1\nn=2\r\n[B]\n";
    QTest::newRow("missing section appended, no blank line added")
        << "[A]\r\nk=1\r\n" << "B" << "n" << "2" << "[A]\r\nk=1\r\n[B]\r\nn=2\r\n";
    QTest::newRow("missing section after blank lines")
        << "[A]\r\nk=1\r\n\r\n" << "B" << "n" << "2" << "[A]\r\nk=1\r\n\r\n[B]\r\nn=2\r\n";
    QTest::newRow("missing section, text without final line end")
        << "[A]\r\nk=1" << "B" << "n" << "2" << "[A]\r\nk=1\r\n[B]\r\nn=2\r\n";
}

void TestIniFile::write() {
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    const auto written = iniWithValue(before, section, key, value);
    QVERIFY(written.has_value());
    QCOMPARE(*written, after);
    QCOMPARE(iniValue(*written, section, key), value.trimmed());
}

void TestIniFile::unchangedValueNeedsNoWrite() {
    const QString text = "[Jeu]\r\n  Nom = Aventure \r\n";
    QVERIFY(!iniWithValue(text, "jeu", "nom", "Aventure").has_value());
    QVERIFY(!iniWithValue(text, "jeu", "nom", " Aventure\t").has_value());
    QVERIFY(iniWithValue(text, "jeu", "nom", "aventure").has_value()); // case of values counts
    QVERIFY(iniWithValue("[A]\r\nk\r\n", "A", "k", "").has_value()); // gains its "="
}

void TestIniFile::refusesPairsThatBreakTheFile_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("writable");
    QTest::newRow("plain") << "Variable1" << "valeur" << "Épée ; = [x]" << true;
    QTest::newRow("empty section") << " " << "k" << "v" << false;
    QTest::newRow("empty key") << "A" << "" << "v" << false;
    QTest::newRow("] in section") << "A]B" << "k" << "v" << false;
    QTest::newRow("= in key") << "A" << "k=j" << "v" << false;
    QTest::newRow("key opening with [") << "A" << "[k" << "v" << false;
    QTest::newRow("LF in value") << "A" << "k" << "v\n[Jeu]" << false;
    QTest::newRow("CR in value") << "A" << "k" << "v\rw" << false;
    QTest::newRow("line break in section") << "A\r\nB" << "k" << "v" << false;
}

void TestIniFile::refusesPairsThatBreakTheFile() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, writable);
    QCOMPARE(iniWritable(section, key, value), writable);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
