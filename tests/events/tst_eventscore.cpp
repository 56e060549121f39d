// Event script files and the lines of the event commands, without a window.
#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "project/mapgrid.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

class TestEventsCore : public QObject {
    Q_OBJECT
    QTemporaryDir mDir;
    QString cell(const QString& row, const QString& column, const QString& map = "01") const {
        return eventScriptPath(mDir.path() + "/projets/Jeu", map, row, column);
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
        QVERIFY(!saveevent({"end"}, cell("1", "1", "07"))); // no folder for map 07
    }

    // Lines saved give the bytes and read back without their empty entries; bytes read give
    // the lines between the first CR LF and the last.
    void fileBytes_data() {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty entry left out") << true << QStringList{"-- Evenements :", "", "end"}
                                              << QByteArray("\r\n-- Evenements :\r\nend\r\n");
        QTest::newRow("empty list") << true << QStringList{} << QByteArray("\r\n");
        QTest::newRow("accent in Windows-1252")
            << true << QStringList{QString::fromUtf8("affichertexte(\"Héros\")")}
            << QByteArray("\r\naffichertexte(\"H\xe9ros\")\r\n");
        QTest::newRow("two CR LF: one empty line") << false << QStringList{""}
                                                   << QByteArray("\r\n\r\n");
        QTest::newRow("empty entry kept") << false << QStringList{"a", "", "b"}
                                          << QByteArray("\r\na\r\n\r\nb\r\n");
        QTest::newRow("tail after the last CR LF dropped") << false << QStringList{"a"}
                                                           << QByteArray("\r\na\r\nb");
        QTest::newRow("lone LF stays in the line") << false << QStringList{"a\nb"}
                                                   << QByteArray("\r\na\nb\r\n");
    }
    void fileBytes() {
        QFETCH(bool, saved);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QVERIFY(saved ? saveevent(lines, cell("2", "3")) : putFile(cell("2", "3"), bytes));
        QCOMPARE(bytesOf(cell("2", "3")), bytes);
        if (saved)
            lines.removeAll(QString());
        QCOMPARE(loadevent(cell("2", "3")), lines);
    }

    // The answers no line is made from; other lines are rebuilt from their command below.
    void refusedAnswers() {
        QCOMPARE(lifeLine(true, true, true, "2"), QString("hero.vie = hero.vie - 2")); // remove first
        QCOMPARE(lifeLine(false, false, false, "2"), std::nullopt);
        QCOMPARE(conditionLine(0, "=", "0"), std::nullopt);
    }

    void pause_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("frames"); // empty: refused with "Valeur incorrect !"
        QTest::newRow("12") << "12" << "12";
        QTest::newRow("007") << "007" << "7";
        QTest::newRow("2.5 to even") << "2.5" << "2";
        QTest::newRow("2,51 comma") << "2,51" << "3";
        QTest::newRow("32768") << "32768" << "";
        QTest::newRow("empty") << "" << "";
    }
    void pause() {
        QFETCH(QString, answer);
        QFETCH(QString, frames);
        QCOMPARE(pauseLine(answer), frames.isEmpty() ? std::optional<QString>()
                                                     : "screen.waitVblankStart(" + frames + ")");
    }

    // A line gives back the command and answers that made it, and they make the same line.
    void commandOfLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind"); // -1: no command makes it
        QTest::addColumn<QString>("answers");
        using C = CommandLine;
        QTest::newRow("map") << "runmap(\"12\")" << int(C::MapChange) << "12";
        QTest::newRow("text") << "affichertexte(\"Il dit \\\"oui\\\"\")" << int(C::Text)
                              << "Il dit \\\"oui\\\"";
        QTest::newRow("empty text") << "affichertexte(\"\")" << int(C::Text) << "";
        QTest::newRow("pause") << "screen.waitVblankStart(-5)" << int(C::Pause) << "-5";
        QTest::newRow("variable") << "var[3] = \"a = \"b\"\"" << int(C::Variable) << "3|a = \"b\"";
        QTest::newRow("if ==") << "if var[2] == \"non\" then" << int(C::Condition) << "2|=|non";
        QTest::newRow("if ~=") << "if var[10] ~= \"\" then" << int(C::Condition) << "10|!|";
        QTest::newRow("life -") << "hero.vie = hero.vie - 2" << int(C::Life) << "0|2";
        QTest::newRow("life + nothing") << "hero.vie = hero.vie + " << int(C::Life) << "1|";
        QTest::newRow("life =") << "hero.vie = 10" << int(C::Life) << "2|10";
        QTest::newRow("end") << "end" << int(C::CloseCondition) << "";
        QTest::newRow("comment") << "-- Evenements :" << -1 << "";
        QTest::newRow("pause with zeros") << "screen.waitVblankStart(007)" << -1 << "";
        QTest::newRow("variable 0") << "var[0] = \"a\"" << -1 << "";
        QTest::newRow("indented end") << "  end" << -1 << "";
    }
    void commandOfLine() {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, answers);
        const auto command = ::commandOfLine(line);
        QCOMPARE(command.has_value(), kind >= 0);
        if (!command)
            return;
        QCOMPARE(int(command->kind), kind);
        const QString variable = QString::number(command->variable) + '|';
        const QString got =
            kind == CommandLine::MapChange ? command->map
            : kind == CommandLine::Pause   ? QString::number(command->frames)
            : kind == CommandLine::Variable ? variable + command->value
            : kind == CommandLine::Condition ? variable + command->op + '|' + command->value
            : kind == CommandLine::Life ? QString::number(command->life) + '|' + command->value
                                        : command->value;
        QCOMPARE(got, answers);
        QCOMPARE(lineOfCommand(*command), line);
    }

    void indentLevels_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("levels");
        QTest::newRow("nested") << QStringList{"if var[1] == \"0\" then", "hero.vie = 1",
                                               "if var[2] ~= \"a\" then", "end", "end", "end"}
                                << QList<int>{0, 1, 1, 1, 0, 0};
        QTest::newRow("else") << QStringList{"if a then", "x = 1", "else", "x = 2", "end"}
                              << QList<int>{0, 1, 0, 1, 0};
        QTest::newRow("loop and text") << QStringList{"for i = 1, 3 do", "affichertexte(\"if\")",
                                                      "end", "endless = 1"}
                                       << QList<int>{0, 1, 0, 0};
        QTest::newRow("unclosed") << QStringList{"if a then", "if b then", "x = 1"}
                                  << QList<int>{0, 1, 2};
    }
    void indentLevels() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, levels);
        QCOMPARE(::indentLevels(lines), levels);
    }

    // Cells with a script of at least one line are marked; the folder may hold other files.
    void scriptedCells() {
        const QString folder = mDir.path() + "/ev/map03/";
        for (const char* name : {"ev312", "ev817", "ev95" /* ninth row */, "ev118" /* column 18 */,
                                 "ev.bak"})
            QVERIFY(putFile(folder + name, "\r\nend\r\n"));
        QVERIFY(putFile(folder + "EV11", "\r\n-- Evenements :\r\n"));
        QVERIFY(putFile(folder + "ev23", "\r\n")); // no line
        const QSet<int> expected{mapgrid::slot(3, 12), mapgrid::slot(1, 1), mapgrid::slot(8, 17)};
        QCOMPARE(::scriptedCells(mDir.path(), "03"), expected);
        QCOMPARE(::scriptedCells(mDir.path(), "04"), QSet<int>());
    }
};

QTEST_GUILESS_MAIN(TestEventsCore)
#include "tst_eventscore.moc"
