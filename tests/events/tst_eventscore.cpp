// Event script files and the lines of the event commands.

#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestEventsCore : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(mDir.isValid());
        mApp = mDir.path();
        QVERIFY(QDir().mkpath(mApp + "/projets/Jeu/ev/map01"));
    }

    void cellPath_data() {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("relative");
        QTest::newRow("r1c1") << "01" << "1" << "1" << "/ev/map01/ev11";
        QTest::newRow("r1c11") << "01" << "1" << "11" << "/ev/map01/ev111";
        QTest::newRow("r2c3") << "01" << "2" << "3" << "/ev/map01/ev23";
        QTest::newRow("map10") << "10" << "3" << "12" << "/ev/map10/ev312";
    }
    void cellPath() {
        QFETCH(QString, map);
        QFETCH(QString, row);
        QFETCH(QString, column);
        QFETCH(QString, relative);
        QCOMPARE(eventScriptPath("/app", "Jeu", map, row, column), "/app/projets/Jeu" + relative);
    }

    void saveBytes_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty entry left out")
            << QStringList{"-- Evenements :", "", "end"} << QByteArray("\r\n-- Evenements :\r\nend\r\n");
        QTest::newRow("empty list") << QStringList{} << QByteArray("\r\n");
        QTest::newRow("end end") << QStringList{"end", "end"} << QByteArray("\r\nend\r\nend\r\n");
        QTest::newRow("accent in cp1252")
            << QStringList{QString::fromUtf8("affichertexte(\"Héros\")")}
            << QByteArray("\r\naffichertexte(\"H\xe9ros\")\r\n");
    }
    void saveBytes() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        const QString path = eventScriptPath(mApp, "Jeu", "01", "2", "3");
        QVERIFY(saveevent(lines, path));
        QCOMPARE(fileBytes(path), bytes);
        lines.removeAll(QString());
        QCOMPARE(loadevent(path), lines);
    }

    void loadText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf only") << QByteArray("\r\n") << QStringList{};
        QTest::newRow("three chars") << QByteArray("\r\nab") << QStringList{};
        QTest::newRow("two crlf: one empty line") << QByteArray("\r\n\r\n") << QStringList{""};
        QTest::newRow("empty entry kept")
            << QByteArray("\r\na\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("tail after last crlf dropped")
            << QByteArray("\r\na\r\nb") << QStringList{"a"};
        QTest::newRow("lone lf stays in the line") << QByteArray("\r\na\nb\r\n") << QStringList{"a\nb"};
    }
    void loadText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const QString path = mApp + "/projets/Jeu/ev/map01/ev11";
        putBytes(path, bytes);
        QCOMPARE(loadevent(path), lines);
    }

    void missingFileAndFailedWrite() {
        QCOMPARE(loadevent(mApp + "/projets/Jeu/ev/map01/ev99"), QStringList{});
        // The map folder does not exist: the write fails and says so.
        QVERIFY(!saveevent({"end"}, eventScriptPath(mApp, "Jeu", "07", "1", "1")));
    }

    void rowColumnFilesDistinct() {
        QVERIFY(saveevent({"a"}, eventScriptPath(mApp, "Jeu", "01", "1", "11")));
        QVERIFY(saveevent({"b"}, eventScriptPath(mApp, "Jeu", "01", "1", "1")));
        QCOMPARE(loadevent(mApp + "/projets/Jeu/ev/map01/ev111"), QStringList{"a"});
        QCOMPARE(loadevent(mApp + "/projets/Jeu/ev/map01/ev11"), QStringList{"b"});
    }

    void commandLines() {
        QCOMPARE(lifeLine(false, false, true, "5"), QString("hero.vie = 5"));
        QCOMPARE(lifeLine(false, true, false, ""), QString("hero.vie = hero.vie + "));
        QCOMPARE(lifeLine(true, false, false, "2"), QString("hero.vie = hero.vie - 2"));
        QCOMPARE(lifeLine(false, false, false, "2"), std::nullopt);
        // Tested in the order remove, add, replace.
        QCOMPARE(lifeLine(true, true, true, "1"), QString("hero.vie = hero.vie - 1"));
        QCOMPARE(lifeLine(false, true, true, "1"), QString("hero.vie = hero.vie + 1"));

        QCOMPARE(textLine(""), QString("affichertexte(\"\")"));
        QCOMPARE(textLine("Il dit \"non\" \\o/"), QString("affichertexte(\"Il dit \"non\" \\o/\")"));
        QCOMPARE(variableLine(3, "oui"), QString("var[3] = \"oui\""));
        QCOMPARE(variableLine(1, ""), QString("var[1] = \"\""));
        QCOMPARE(conditionLine(3, "=", "oui"), QString("if var[3] == \"oui\" then"));
        QCOMPARE(conditionLine(2, "!", "0"), QString("if var[2] ~= \"0\" then"));
        QCOMPARE(conditionLine(0, "=", "0"), std::nullopt);
        QCOMPARE(conditionLine(1, "", "0"), std::nullopt);
        QCOMPARE(closeConditionLine(), QString("end"));
        QCOMPARE(mapChangeLine("12"), QString("runmap(\"12\")"));
        QCOMPARE(mapChangeLine(mapNumberText(3)), QString("runmap(\"03\")"));
    }

    void pause_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("line");
        const QString none; // no line: "Valeur incorrect !"
        QTest::newRow("12") << "12" << "screen.waitVblankStart(12)";
        QTest::newRow("-32768") << "-32768" << "screen.waitVblankStart(-32768)";
        QTest::newRow("32767") << "32767" << "screen.waitVblankStart(32767)";
        QTest::newRow("007") << "007" << "screen.waitVblankStart(7)";
        QTest::newRow("-5") << "-5" << "screen.waitVblankStart(-5)";
        QTest::newRow("+4") << "+4" << "screen.waitVblankStart(4)";
        QTest::newRow("2.5 to even") << "2.5" << "screen.waitVblankStart(2)";
        QTest::newRow("3.5 to even") << "3.5" << "screen.waitVblankStart(4)";
        QTest::newRow("2,51 comma") << "2,51" << "screen.waitVblankStart(3)";
        QTest::newRow("2.4999") << "2.4999" << "screen.waitVblankStart(2)";
        QTest::newRow("-2.5") << "-2.5" << "screen.waitVblankStart(-2)";
        QTest::newRow("-0.4") << "-0.4" << "screen.waitVblankStart(0)";
        QTest::newRow("32767.5 rounds out") << "32767.5" << none;
        QTest::newRow("-32768.5 to even") << "-32768.5" << "screen.waitVblankStart(-32768)";
        QTest::newRow("blanks") << " 5 " << "screen.waitVblankStart(5)";
        QTest::newRow("long zeros") << "000000000000000000012" << "screen.waitVblankStart(12)";
        QTest::newRow("32768") << "32768" << none;
        QTest::newRow("40000") << "40000" << none;
        QTest::newRow("huge") << "99999999999999999999" << none;
        QTest::newRow("abc") << "abc" << none;
        QTest::newRow("12abc") << "12abc" << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("sign only") << "-" << none;
        QTest::newRow("point only") << "." << none;
        QTest::newRow("inner blank") << "1 2" << none;
    }
    void pause() {
        QFETCH(QString, answer);
        QFETCH(QString, line);
        const auto built = pauseLine(answer);
        if (line.isEmpty())
            QCOMPARE(built, std::nullopt);
        else
            QCOMPARE(built, line);
    }

    void subPanelEntries_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("conditions");
        QTest::newRow("two")
            << QByteArray("[Variables]\r\nnombre=2\r\n[Variable1]\r\nvaleur=0\r\n[variable2]\r\n"
                          "VALEUR=Anonyme\r\n")
            << QStringList{"Variable1", "Variable2"}
            << QStringList{"Variable 1 de valeur initale : 0", "Variable 2 de valeur initale : Anonyme"};
        QTest::newRow("missing value")
            << QByteArray("[Variables]\r\nnombre=1\r\n") << QStringList{"Variable1"}
            << QStringList{"Variable 1 de valeur initale : "};
        QTest::newRow("empty") << QByteArray("[Variables]\r\nnombre=\r\n") << QStringList{}
                               << QStringList{};
        QTest::newRow("word") << QByteArray("[Variables]\r\nnombre=deux\r\n") << QStringList{}
                              << QStringList{};
        QTest::newRow("negative") << QByteArray("[Variables]\r\nnombre=-3\r\n") << QStringList{}
                                  << QStringList{};
        QTest::newRow("no file") << QByteArray() << QStringList{} << QStringList{};
    }
    void subPanelEntries() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, variables);
        QFETCH(QStringList, conditions);
        QFile::remove(mApp + "/projets/Jeu/projet.ini");
        if (!ini.isEmpty())
            putBytes(mApp + "/projets/Jeu/projet.ini", ini);
        QCOMPARE(variableEntries(mApp, "Jeu"), variables);
        QCOMPARE(conditionEntries(mApp, "Jeu"), conditions);
    }

private:
    QTemporaryDir mDir;
    QString mApp;
};

QTEST_GUILESS_MAIN(TestEventsCore)
#include "tst_eventscore.moc"
