// The event editor window driven through its own buttons, with scripted prompts.
#include "../maps/editorfixture.h"
#include "events/eventeditor.h"
#include "events/scriptdocument.h"

#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>

using OptionalText = std::optional<QString>;

class TestEventEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> mApp;
    std::unique_ptr<QMdiArea> mArea;
    QMdiSubWindow* mSub = nullptr;
    EventEditor* mEditor = nullptr;
    const QStringList kFirst{"-- Evenements :"};

    QString cellFile(const QString& map, const QString& cell) const {
        return mApp->projectDir("jeu") + "/ev/map" + map + "/ev" + cell;
    }
    template <typename W> W* child(const QString& name) const { return mArea->findChild<W*>(name); }
    // The sub-panels shown, by name.
    QStringList panelsShown() const {
        QStringList open;
        for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5"})
            if (child<QGroupBox>(frame)->isVisible())
                open << frame;
        return open;
    }
    void play(const QString& steps) { ::play(mArea.get(), steps); }
    void doubleClickRow(int row) {
        auto* list = child<QListWidget>("text1");
        clickRow(list, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(row)).center());
    }
    // Opens cell (r, c) of map nn on a file holding the lines.
    void openOn(const QString& nn, int r, int c, const QByteArray& lines) {
        QVERIFY(putFile(cellFile(nn, QString::number(r) + QString::number(c)), "\r\n" + lines));
        mEditor->openCell(nn, r, c);
    }

private slots:
    void init() {
        mApp = std::make_unique<TestApp>();
        const QString ini = makeProject(mApp->dir.path(), "jeu", 12) + "/projet.ini";
        QVERIFY(writeini("Variables", "nombre", "2", ini));
        QVERIFY(writeini("Variable1", "valeur", "oui", ini));
        QVERIFY(writeini("Variable2", "valeur", "0", ini));
        mArea = std::make_unique<QMdiArea>();
        mArea->resize(900, 700);
        mApp->session.open("jeu");
        mEditor = new EventEditor(mApp->services, mApp->session);
        mSub = mArea->addSubWindow(mEditor);
        mArea->show();
        QVERIFY(QTest::qWaitForWindowExposed(mArea.get()));
    }
    void cleanup() { mArea.reset(); }

    // Every sub-panel closes after its line; a condition without a variable keeps its own open.
    void commandLines_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<OptionalText>("answer"); // to the prompt, if any
        QTest::addColumn<QString>("line");        // empty: no line
        QTest::addColumn<QStringList>("open");    // the sub-panels left open
        const OptionalText none;
        QTest::newRow("end") << "Command15" << none << "end" << QStringList();
        QTest::newRow("text") << "Command5" << OptionalText("Bonjour")
                              << "affichertexte(\"Bonjour\")" << QStringList();
        QTest::newRow("text cancelled") << "Command5" << none << "affichertexte(\"\")" << QStringList();
        QTest::newRow("pause too long") << "Command6" << OptionalText("32768") << "" << QStringList();
        QTest::newRow("life") << "Command2 Option1_1 Text2=3" << none
                              << "hero.vie = hero.vie + 3" << QStringList();
        QTest::newRow("variable") << "Command3 List1#1" << OptionalText("oui")
                                  << "var[2] = \"oui\"" << QStringList();
        QTest::newRow("condition") << "Command13 Combo1=1 Combo2=1 Command14" << none
                                   << "if var[2] ~= \"0\" then" << QStringList();
        QTest::newRow("condition without variable") << "Command13 Command14" << none << ""
                                                    << QStringList{"Frame5"};
        QTest::newRow("map") << "Command1 HScroll1=9 Command9" << none << "runmap(\"09\")"
                             << QStringList();
        QTest::newRow("fight") << "Command4" << none << "" << QStringList();
    }
    void commandLines() {
        QFETCH(QString, steps);
        QFETCH(OptionalText, answer);
        QFETCH(QString, line);
        QFETCH(QStringList, open);
        mApp->dialogs.promptAnswers = {answer};
        play(steps);
        QCOMPARE(mEditor->script().lines(), line.isEmpty() ? kFirst : kFirst + QStringList{line});
        if (steps == "Command6" && line.isEmpty())
            QCOMPARE(mApp->messages().last(), QString("Valeur incorrect !"));
        QCOMPARE(panelsShown(), open);
    }

    // Outside delete mode a click only selects; in it, a line goes once the question is
    // answered Yes.
    void deleteMode() {
        play("Command15 text1#0");
        QVERIFY(mApp->dialogs.shown.isEmpty());
        mApp->dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
        play("Command11 text1#0");
        QCOMPARE(mEditor->script().lines(), (QStringList{"-- Evenements :", "end"}));
        play("text1#0");
        QCOMPARE(mEditor->script().lines(), QStringList{"end"});
        QCOMPARE(mApp->messages(), QStringList(2, "Êtes-vous sure ?"));
    }

    // Both close the window; "OK" writes the lines, "Annuler" keeps the file as it was. The
    // cell's labels name it, and a cell without a file starts afresh.
    void closeButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("OK") << "Command7" << QByteArray("\r\nend\r\nend\r\n");
        QTest::newRow("Annuler") << "Command8" << QByteArray("\r\nend\r\n");
    }
    void closeButtons() {
        QFETCH(QString, button);
        QFETCH(QByteArray, bytes);
        mEditor->openCell("02", 1, 1); // a cell without a file starts afresh
        QCOMPARE(mEditor->script().lines(), kFirst);
        openOn("02", 3, 12, "end\r\n");
        QCOMPARE(textOf(mEditor, "ln") + '/' + textOf(mEditor, "co"), "3/12");
        play("Command15 " + button);
        QVERIFY(mSub->isHidden());
        QCOMPARE(bytesOf(cellFile("02", "312")), bytes);
        QCOMPARE(mEditor->script().lines(), QStringList({"end", "end"}));
    }

    // The current line moves with the two buttons under the list and with Alt+Up, Alt+Down;
    // F2 changes it.
    void linesMoveUpAndDown() {
        mApp->dialogs.promptAnswers = {QString("a")};
        play("Command5 Command15");
        auto* list = child<QListWidget>("text1");
        list->setCurrentRow(2);
        play("lineUp");
        QCOMPARE(list->currentRow(), 1);
        mArea->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mArea.get()));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier); // the first line stays first
        QCOMPARE(mEditor->script().lines(),
                 (QStringList{"end", "-- Evenements :", "affichertexte(\"a\")"}));
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(list->currentRow(), 1);
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_F2); // the prompt opens on the line's text; Cancel keeps it
        QCOMPARE(mApp->dialogs.shown.last().initial, QStringLiteral("a"));
        play("Command7");
        QCOMPARE(bytesOf(mEditor->script().path()),
                 QByteArray("\r\n-- Evenements :\r\nend\r\naffichertexte(\"a\")\r\n"));
    }

    // A line double-clicked opens its command on its answers; the new line takes its place,
    // and the next command appends its line at the end again.
    void lineChangesInPlace_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<OptionalText>("answer"); // to the prompt, if one opens
        QTest::addColumn<QString>("initial");     // the prompt's field as it opens
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("changed");
        const OptionalText none;
        const QString text = "affichertexte(\"Bonjour\")", pause = "screen.waitVblankStart(60)";
        QTest::newRow("text") << text << OptionalText("Salut") << "Bonjour" << ""
                              << "affichertexte(\"Salut\")";
        QTest::newRow("text cancelled") << text << none << "Bonjour" << "" << text;
        QTest::newRow("pause refused") << pause << OptionalText("abc") << "60" << "" << pause;
        QTest::newRow("variable") << "var[1] = \"oui\"" << OptionalText("non") << "oui"
                                  << "List1#1" << "var[2] = \"non\"";
        // The panel opens on the line's answers: each row changes one and keeps the others.
        QTest::newRow("life") << "hero.vie = hero.vie + 2" << none << "" << "Text2=5"
                              << "hero.vie = hero.vie + 5";
        QTest::newRow("condition") << "if var[2] == \"oui\" then" << none << ""
                                   << "Combo2=1 Command14" << "if var[2] ~= \"oui\" then";
        QTest::newRow("condition unchanged") << "if var[2] ~= \"a\" then" << none << ""
                                             << "Command14" << "if var[2] ~= \"a\" then";
    }
    void lineChangesInPlace() {
        QFETCH(QString, line);
        QFETCH(OptionalText, answer);
        QFETCH(QString, initial);
        QFETCH(QString, steps);
        QFETCH(QString, changed);
        openOn("02", 3, 4, ("-- Evenements :\r\n" + line + "\r\nend\r\n").toLatin1());
        mApp->dialogs.promptAnswers = {answer};
        doubleClickRow(1);
        play(steps);
        QCOMPARE(mEditor->script().lines(), kFirst + QStringList({changed, "end"}));
        QStringList prompts;
        for (const auto& s : mApp->dialogs.shown)
            if (s.kind == ScriptedDialogService::Shown::Prompt)
                prompts << s.initial;
        QCOMPARE(prompts, initial.isEmpty() ? QStringList() : QStringList{initial});
        QCOMPARE(panelsShown(), QStringList());
        play("Command15 Command7"); // appends again; OK saves the lines in their places
        QCOMPARE(bytesOf(cellFile("02", "34")),
                 ("\r\n-- Evenements :\r\n" + changed + "\r\nend\r\nend\r\n").toLatin1());
    }

    // A line's panel closes when another line opens or with its own button: nothing changes,
    // and "Ajouter" appends from then on.
    void panelClosesWithoutChange() {
        openOn("01", 1, 1, "hero.vie = hero.vie - 2\r\nif var[2] == \"oui\" then\r\n");
        doubleClickRow(0);
        QCOMPARE(child<QLineEdit>("Text2")->text(), QStringLiteral("2"));
        doubleClickRow(1);
        QCOMPARE(panelsShown(), QStringList{"Frame5"});
        play("Command13 Command13 Combo1=0 Combo2=0 Command14");
        QCOMPARE(mEditor->script().lines(),
                 (QStringList{"hero.vie = hero.vie - 2", "if var[2] == \"oui\" then",
                              "if var[1] == \"oui\" then"})); // the value field kept its text
    }

    // Lines inside a condition show indented; the lines keep no indentation.
    void conditionBlocksShowIndented() {
        openOn("01", 1, 1, "if var[1] == \"0\" then\r\nhero.vie = 1\r\nend\r\nhero.vie = 1\r\n");
        auto* list = child<QListWidget>("text1");
        QCOMPARE(list->item(1)->text(), QStringLiteral("hero.vie = 1"));
        QStyleOptionViewItem option;
        option.initFrom(list);
        const auto width = [&](int row) {
            return list->itemDelegate()->sizeHint(option, list->model()->index(row, 0)).width();
        };
        QVERIFY(width(1) > width(3)); // the same text, one level deeper
    }

    void failedWriteKeepsWindowOpen() {
        QVERIFY(QDir().mkpath(mEditor->script().path())); // a folder where the file should be
        play("Command7");
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->messages()[0].contains(QDir::toNativeSeparators(mEditor->script().path())));
        QVERIFY(mSub->isVisible());
    }
};

QTEST_MAIN(TestEventEditor)
#include "test_eveditor.moc"
