// A line gives back the command and answers that made it, and the lines of a script show
// indented by the blocks they lie in.
#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "project/mapgrid.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

class TestCommandLines : public QObject {
    Q_OBJECT

private slots:
    void commandOfLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind"); // -1: no command makes it
        QTest::addColumn<QString>("answers");
        QTest::newRow("map") << "runmap(\"12\")" << int(CommandLine::MapChange) << "12";
        QTest::newRow("text") << "affichertexte(\"Il dit \\\"oui\\\"\")" << int(CommandLine::Text)
                              << "Il dit \\\"oui\\\"";
        QTest::newRow("empty text") << "affichertexte(\"\")" << int(CommandLine::Text) << "";
        QTest::newRow("pause") << "screen.waitVblankStart(-5)" << int(CommandLine::Pause) << "-5";
        QTest::newRow("variable") << "var[3] = \"a = \"b\"\"" << int(CommandLine::Variable)
                                  << "3|a = \"b\"";
        QTest::newRow("condition ==") << "if var[2] == \"non\" then" << int(CommandLine::Condition)
                                      << "2|=|non";
        QTest::newRow("condition ~=") << "if var[10] ~= \"\" then" << int(CommandLine::Condition)
                                      << "10|!|";
        QTest::newRow("life -") << "hero.vie = hero.vie - 2" << int(CommandLine::Life) << "0|2";
        QTest::newRow("life + nothing") << "hero.vie = hero.vie + " << int(CommandLine::Life)
                                        << "1|";
        QTest::newRow("life =") << "hero.vie = 10" << int(CommandLine::Life) << "2|10";
        QTest::newRow("end") << "end" << int(CommandLine::CloseCondition) << "";
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
        QString got;
        switch (command->kind) {
        case CommandLine::MapChange: got = command->map; break;
        case CommandLine::Text: got = command->value; break;
        case CommandLine::Pause: got = QString::number(command->frames); break;
        case CommandLine::Variable:
            got = QString::number(command->variable) + '|' + command->value;
            break;
        case CommandLine::Condition:
            got = QString::number(command->variable) + '|' + command->op + '|' + command->value;
            break;
        case CommandLine::Life: got = QString::number(command->life) + '|' + command->value; break;
        case CommandLine::CloseCondition: break;
        }
        QCOMPARE(got, answers);
        QCOMPARE(lineOfCommand(*command), line); // the command builds the same line again
    }

    void indentLevels_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("levels");
        QTest::newRow("flat") << QStringList{"-- Evenements :", "affichertexte(\"a\")"}
                              << QList<int>{0, 0};
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
        QTemporaryDir dir;
        const QString folder = dir.path() + "/ev/map03/";
        QVERIFY(putFile(folder + "ev312", "\r\nend\r\n"));
        QVERIFY(putFile(folder + "EV11", "\r\n-- Evenements :\r\n"));
        QVERIFY(putFile(folder + "ev817", "\r\nend\r\n"));
        QVERIFY(putFile(folder + "ev23", "\r\n"));       // no line
        QVERIFY(putFile(folder + "ev95", "\r\nend\r\n")); // ninth row: not shown
        QVERIFY(putFile(folder + "ev118", "\r\nend\r\n")); // column 18
        QVERIFY(putFile(folder + "ev.bak", "\r\nend\r\n"));
        const QSet<int> expected{mapgrid::slot(3, 12), mapgrid::slot(1, 1), mapgrid::slot(8, 17)};
        QCOMPARE(::scriptedCells(dir.path(), "03"), expected);
        QCOMPARE(::scriptedCells(dir.path(), "04"), QSet<int>());
    }
};

QTEST_GUILESS_MAIN(TestCommandLines)
#include "tst_commandlines.moc"
