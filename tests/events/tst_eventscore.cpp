// Event script files and the lines of the event commands.
#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

class TestEventsCore : public QObject {
    Q_OBJECT
    QTemporaryDir mDir;
    QString cell(const QString& row, const QString& column) const {
        return eventScriptPath(mDir.path() + "/projets/Jeu", "01", row, column);
    }

private slots:
    void init() { QVERIFY(QDir().mkpath(mDir.path() + "/projets/Jeu/ev/map01")); }

    void cellFilesAreDistinct() {
        QCOMPARE(cell("1", "11"), mDir.path() + "/projets/Jeu/ev/map01/ev111");
        QVERIFY(saveevent({"a"}, cell("1", "11")));
        QVERIFY(saveevent({"b"}, cell("1", "1")));
        QCOMPARE(loadevent(cell("1", "11")), QStringList{"a"});
        QCOMPARE(loadevent(cell("1", "1")), QStringList{"b"});
        QCOMPARE(loadevent(cell("9", "9")), QStringList{}); // no file
        QVERIFY(!saveevent({"end"}, eventScriptPath(mDir.path() + "/projets/Jeu", "07", "1", "1")));
    }

    void saveAndLoad_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty entry left out")
            << QStringList{"-- Evenements :", "", "end"} << QByteArray("\r\n-- Evenements :\r\nend\r\n");
        QTest::newRow("empty list") << QStringList{} << QByteArray("\r\n");
        QTest::newRow("accent in Windows-1252")
            << QStringList{QString::fromUtf8("affichertexte(\"Héros\")")}
            << QByteArray("\r\naffichertexte(\"H\xe9ros\")\r\n");
    }
    void saveAndLoad() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QVERIFY(saveevent(lines, cell("2", "3")));
        QCOMPARE(bytesOf(cell("2", "3")), bytes);
        lines.removeAll(QString());
        QCOMPARE(loadevent(cell("2", "3")), lines);
    }

    void load_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two CR LF: one empty line") << QByteArray("\r\n\r\n") << QStringList{""};
        QTest::newRow("empty entry kept") << QByteArray("\r\na\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("tail after last CR LF dropped") << QByteArray("\r\na\r\nb") << QStringList{"a"};
        QTest::newRow("lone LF stays in the line") << QByteArray("\r\na\nb\r\n") << QStringList{"a\nb"};
    }
    void load() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QVERIFY(putFile(cell("1", "1"), bytes));
        QCOMPARE(loadevent(cell("1", "1")), lines);
    }

    void commandLines() {
        QCOMPARE(lifeLine(false, false, true, "5"), QString("hero.vie = 5"));
        QCOMPARE(lifeLine(false, true, false, ""), QString("hero.vie = hero.vie + "));
        QCOMPARE(lifeLine(true, true, true, "2"), QString("hero.vie = hero.vie - 2")); // remove first
        QCOMPARE(lifeLine(false, false, false, "2"), std::nullopt);
        QCOMPARE(textLine(""), QString("affichertexte(\"\")"));
        QCOMPARE(variableLine(3, "oui"), QString("var[3] = \"oui\""));
        QCOMPARE(conditionLine(3, "=", "oui"), QString("if var[3] == \"oui\" then"));
        QCOMPARE(conditionLine(2, "!", "0"), QString("if var[2] ~= \"0\" then"));
        QCOMPARE(conditionLine(0, "=", "0"), std::nullopt);
        QCOMPARE(closeConditionLine(), QString("end"));
        QCOMPARE(mapChangeLine("12"), QString("runmap(\"12\")"));
    }

    void pause_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("frames"); // empty: refused with "Valeur incorrect !"
        QTest::newRow("12") << "12" << "12";
        QTest::newRow("-32768") << "-32768" << "-32768";
        QTest::newRow("007") << "007" << "7";
        QTest::newRow("2.5 to even") << "2.5" << "2";
        QTest::newRow("3.5 to even") << "3.5" << "4";
        QTest::newRow("2,51 comma") << "2,51" << "3";
        QTest::newRow("32768") << "32768" << "";
        QTest::newRow("abc") << "abc" << "";
        QTest::newRow("empty") << "" << "";
    }
    void pause() {
        QFETCH(QString, answer);
        QFETCH(QString, frames);
        QCOMPARE(pauseLine(answer), frames.isEmpty() ? std::optional<QString>()
                                                     : "screen.waitVblankStart(" + frames + ")");
    }
};

QTEST_GUILESS_MAIN(TestEventsCore)
#include "tst_eventscore.moc"
