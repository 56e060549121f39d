// The event editor window driven through its own buttons with scripted prompts: the line each
// command appends, the sub-panels, delete mode, and what "OK" and "Annuler" write.
#include "events/eventeditor.h"
#include "events/scriptdocument.h"
#include "testsupport/appfixture.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QUndoStack>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

class TestEventEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> mApp;
    std::unique_ptr<QMdiArea> mArea;
    QMdiSubWindow* mSub = nullptr;
    EventEditor* mEditor = nullptr;
    const QStringList kFirst{"-- Evenements :"};

    QString ini() const { return mApp->projectDir("jeu") + "/projet.ini"; }
    template <typename W> W* child(const QString& name) const {
        auto* w = mArea->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QString& button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void clickRow(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    bool shown(const char* frame) const { return child<QGroupBox>(frame)->isVisible(); }
    void doubleClickRow(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // Steps apart by spaces: a button's name clicks it; "name=v" fills a field, picks combo
    // item v or moves a scroll bar to v; "name#k" clicks item k of a list.
    void play(const QString& steps) {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString name = step.section(QRegularExpression("[=#]"), 0, 0);
            const QString value = step.section(QRegularExpression("[=#]"), 1);
            if (step.contains('#'))
                clickRow(child<QListWidget>(name), value.toInt());
            else if (auto* combo = mArea->findChild<QComboBox*>(name))
                combo->setCurrentIndex(value.toInt());
            else if (auto* scroll = mArea->findChild<QScrollBar*>(name))
                scroll->setValue(value.toInt());
            else if (step.contains('='))
                child<QLineEdit>(name)->setText(value);
            else
                QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
        }
    }

private slots:
    void init() {
        mApp = std::make_unique<TestApp>();
        makeProject(mApp->dir.path(), "jeu", 12);
        QVERIFY(writeini("Variables", "nombre", "2", ini()));
        QVERIFY(writeini("Variable1", "valeur", "oui", ini()));
        QVERIFY(writeini("Variable2", "valeur", "0", ini()));
        mArea = std::make_unique<QMdiArea>();
        mArea->resize(900, 700);
        mApp->session.open("jeu");
        mEditor = new EventEditor(mApp->services, mApp->session);
        mSub = mArea->addSubWindow(mEditor);
        mArea->show();
        QVERIFY(QTest::qWaitForWindowExposed(mArea.get()));
    }
    void cleanup() { mArea.reset(); }

    void commandLines_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<std::optional<QString>>("answer"); // prompt answer, if any
        QTest::addColumn<QString>("line");                  // empty: no line
        const std::optional<QString> none;
        QTest::newRow("end") << "Command15" << none << "end";
        QTest::newRow("text") << "Command5" << std::optional<QString>("Bonjour") << "affichertexte(\"Bonjour\")";
        QTest::newRow("text cancelled") << "Command5" << none << "affichertexte(\"\")";
        QTest::newRow("pause") << "Command6" << std::optional<QString>("007") << "screen.waitVblankStart(7)";
        QTest::newRow("pause too long") << "Command6" << std::optional<QString>("32768") << "";
        QTest::newRow("life") << "Command2" << none << "hero.vie = hero.vie + 3";
        QTest::newRow("variable") << "Command3" << std::optional<QString>("oui") << "var[2] = \"oui\"";
        QTest::newRow("condition") << "Command13" << none << "if var[2] ~= \"0\" then";
        QTest::newRow("map") << "Command1" << none << "runmap(\"01\")";
        QTest::newRow("fight") << "Command4" << none << "";
    }
    void commandLines() {
        QFETCH(QString, command);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, line);
        mApp->dialogs.promptAnswers = {answer};
        click(command);
        if (command == "Command2") {
            QTest::mouseClick(child<QRadioButton>("Option1_1"), Qt::LeftButton);
            child<QLineEdit>("Text2")->setText("3");
            click("Command10");
        } else if (command == "Command3") {
            clickRow(child<QListWidget>("List1"), 1);
        } else if (command == "Command13") {
            child<QComboBox>("Combo1")->setCurrentIndex(1);
            child<QComboBox>("Combo2")->setCurrentIndex(1);
            click("Command14");
        } else if (command == "Command1") {
            click("Command9");
        }
        QCOMPARE(mEditor->script().lines(), line.isEmpty() ? kFirst : kFirst + QStringList{line});
        if (command == "Command6" && line.isEmpty())
            QCOMPARE(mApp->messages().last(), QString("Valeur incorrect !"));
        for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5"})
            QVERIFY2(!shown(frame), frame); // every sub-panel closes after its line
    }

    void subPanelsToggle_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("frame");
        QTest::newRow("map") << "Command1" << "Frame2";
        QTest::newRow("variables") << "Command3" << "Frame1";
        QTest::newRow("life") << "Command2" << "Frame3";
        QTest::newRow("conditions") << "Command13" << "Frame5";
    }
    void subPanelsToggle() {
        QFETCH(QString, command);
        QFETCH(QString, frame);
        click(command);
        QVERIFY(shown(qPrintable(frame)));
        click(command);
        QVERIFY(!shown(qPrintable(frame)));
    }

    void conditionWithoutVariableStaysOpen() {
        click("Command13");
        click("Command14");
        QVERIFY(shown("Frame5"));
        QCOMPARE(mEditor->script().lines(), kFirst);
    }

    void mapChooser_data() {
        QTest::addColumn<int>("map");
        QTest::addColumn<QString>("number");
        QTest::newRow("12") << 12 << "12";
        QTest::newRow("9") << 9 << "09";
    }
    void mapChooser() {
        QFETCH(int, map);
        QFETCH(QString, number);
        click("Command1");
        child<QScrollBar>("HScroll1")->setValue(map);
        QCOMPARE(child<QLabel>("Label6")->text(), number);
        QCOMPARE(child<QLabel>("Label4")->text(), "Carte " + QString::number(map));
        click("Command9");
        QCOMPARE(mEditor->script().lines().last(), "runmap(\"" + number + "\")");
    }

    void deleteMode_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("yes") << MsgAnswer::Yes << QStringList{"end"};
        QTest::newRow("no") << MsgAnswer::No << QStringList{"-- Evenements :", "end"};
    }
    void deleteMode() {
        QFETCH(MsgAnswer, answer);
        QFETCH(QStringList, after);
        click("Command15");
        clickRow(child<QListWidget>("text1"), 0); // outside delete mode a click only selects
        QVERIFY(mApp->dialogs.shown.isEmpty());
        click("Command11");
        mApp->dialogs.answers = {answer};
        clickRow(child<QListWidget>("text1"), 0);
        QCOMPARE(mApp->messages(), QStringList{"Êtes-vous sure ?"});
        QCOMPARE(mEditor->script().lines(), after);
    }

    void cancelKeepsLinesAndFile() {
        QVERIFY(putFile(mEditor->script().path(), "\r\nend\r\n"));
        click("Command15");
        click("Command8");
        QVERIFY(mSub->isHidden());
        QCOMPARE(bytesOf(mEditor->script().path()), QByteArray("\r\nend\r\n"));
        QCOMPARE(mEditor->script().lines(), kFirst + QStringList{"end"});
    }

    void okWritesTheScript() {
        click("Command7");
        QVERIFY(mSub->isHidden());
        QCOMPARE(bytesOf(mApp->projectDir("jeu") + "/ev/map01/ev11"), QByteArray("\r\n-- Evenements :\r\n"));
    }

    void openCell() {
        const QString dir = mApp->projectDir("jeu") + "/ev/map02/";
        QVERIFY(putFile(dir + "ev312", "\r\n-- Evenements :\r\nrunmap(\"01\")\r\n"));
        mEditor->openCell("02", 3, 12);
        QCOMPARE(child<QLabel>("ln")->text(), QString("3"));
        QCOMPARE(child<QLabel>("co")->text(), QString("12"));
        click("Command15");
        click("Command7");
        QCOMPARE(bytesOf(dir + "ev312"), QByteArray("\r\n-- Evenements :\r\nrunmap(\"01\")\r\nend\r\n"));
        mEditor->openCell("02", 1, 1); // a cell without a file starts afresh
        QCOMPARE(mEditor->script().lines(), kFirst);
    }

    // The current line moves with the two buttons under the list and with Alt+Up, Alt+Down.
    void linesMoveUpAndDown() {
        mApp->dialogs.promptAnswers = {QString("a")};
        click("Command5");
        click("Command15");
        auto* list = child<QListWidget>("text1");
        list->setCurrentRow(2);
        QTest::mouseClick(child<QToolButton>("lineUp"), Qt::LeftButton);
        QCOMPARE(mEditor->script().lines(), kFirst + QStringList({"end", "affichertexte(\"a\")"}));
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
        // F2 changes the current line: the prompt opens on its text; Cancel keeps it.
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_F2);
        QCOMPARE(mApp->dialogs.shown.last().initial, QStringLiteral("a"));
        QCOMPARE(mEditor->script().lines().size(), 3);
        QCOMPARE(child<QToolButton>("lineDown")->toolTip(),
                 QStringLiteral("Descendre la ligne choisie (Alt+Bas)"));
        click("Command7");
        QCOMPARE(bytesOf(mEditor->script().path()),
                 QByteArray("\r\n-- Evenements :\r\nend\r\naffichertexte(\"a\")\r\n"));
        mEditor->script().undoStack()->undo();
        QCOMPARE(mEditor->script().lines().first(), QStringLiteral("end"));
    }

    // A line double-clicked opens its command on its answers; the new line takes its place,
    // and the next command appends its line at the end again.
    void lineChangesInPlace_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<std::optional<QString>>("answer"); // to the prompt, if one opens
        QTest::addColumn<QString>("initial");                // the prompt's field as it opens
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("changed");
        const std::optional<QString> none;
        QTest::newRow("text") << "affichertexte(\"Bonjour\")" << std::optional<QString>("Salut")
                              << "Bonjour" << "" << "affichertexte(\"Salut\")";
        QTest::newRow("text cancelled") << "affichertexte(\"Bonjour\")" << none << "Bonjour" << ""
                                        << "affichertexte(\"Bonjour\")";
        QTest::newRow("pause") << "screen.waitVblankStart(60)" << std::optional<QString>("30")
                               << "60" << "" << "screen.waitVblankStart(30)";
        QTest::newRow("pause refused") << "screen.waitVblankStart(60)"
                                       << std::optional<QString>("abc") << "60" << ""
                                       << "screen.waitVblankStart(60)";
        QTest::newRow("variable") << "var[1] = \"oui\"" << std::optional<QString>("non") << "oui"
                                  << "List1#1" << "var[2] = \"non\"";
        QTest::newRow("life") << "hero.vie = hero.vie - 2" << none << ""
                              << "Option1_1 Text2=5 Command10" << "hero.vie = hero.vie + 5";
        QTest::newRow("condition") << "if var[2] == \"0\" then" << none << ""
                                   << "Combo2=1 Command14" << "if var[2] ~= \"0\" then";
        QTest::newRow("map") << "runmap(\"09\")" << none << "" << "HScroll1=12 Command9"
                             << "runmap(\"12\")";
        QTest::newRow("end") << "end" << none << "" << "" << "end";
    }
    void lineChangesInPlace() {
        QFETCH(QString, line);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, initial);
        QFETCH(QString, steps);
        QFETCH(QString, changed);
        QVERIFY(putFile(mApp->projectDir("jeu") + "/ev/map02/ev34",
                        ("\r\n-- Evenements :\r\n" + line + "\r\nend\r\n").toLatin1()));
        mEditor->openCell("02", 3, 4);
        mApp->dialogs.promptAnswers = {answer};
        doubleClickRow(child<QListWidget>("text1"), 1);
        play(steps);
        QCOMPARE(mEditor->script().lines(), kFirst + QStringList({changed, "end"}));
        const auto prompts = [this] {
            QList<ScriptedDialogService::Shown> p;
            for (const auto& s : mApp->dialogs.shown)
                if (s.kind == ScriptedDialogService::Shown::Prompt)
                    p << s;
            return p;
        }();
        QCOMPARE(prompts.size(), initial.isEmpty() ? 0 : 1);
        if (!prompts.isEmpty())
            QCOMPARE(prompts[0].initial, initial);
        for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5"})
            QVERIFY2(!shown(frame), frame);
        // A command appends again; OK saves the lines in their places.
        click("Command15");
        click("Command7");
        QCOMPARE(bytesOf(mApp->projectDir("jeu") + "/ev/map02/ev34"),
                 ("\r\n-- Evenements :\r\n" + changed + "\r\nend\r\nend\r\n").toLatin1());
    }

    // The sub-panel opened to change a line shows the line's answers.
    void panelOpensOnTheLine() {
        QVERIFY(putFile(mApp->projectDir("jeu") + "/ev/map01/ev11",
                        "\r\nhero.vie = hero.vie - 2\r\nif var[2] == \"oui\" then\r\n"));
        mEditor->openCell("01", 1, 1);
        auto* list = child<QListWidget>("text1");
        doubleClickRow(list, 0);
        QVERIFY(child<QRadioButton>("Option1_0")->isChecked());
        QCOMPARE(child<QLineEdit>("Text2")->text(), QStringLiteral("2"));
        doubleClickRow(list, 1); // another line: the first panel closes
        QVERIFY(!shown("Frame3"));
        QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), 1);
        QCOMPARE(child<QComboBox>("Combo2")->currentText(), QStringLiteral("="));
        QCOMPARE(child<QLineEdit>("Text3")->text(), QStringLiteral("oui"));
        // Its command button closes it: nothing changes, and "Ajouter" appends from then on.
        click("Command13");
        click("Command13");
        child<QComboBox>("Combo1")->setCurrentIndex(0);
        child<QComboBox>("Combo2")->setCurrentIndex(0);
        click("Command14");
        QCOMPARE(mEditor->script().lines(),
                 (QStringList{"hero.vie = hero.vie - 2", "if var[2] == \"oui\" then",
                              "if var[1] == \"oui\" then"})); // the value field kept its text
    }

    // Lines inside a condition show indented; the lines keep no indentation.
    void conditionBlocksShowIndented() {
        QVERIFY(putFile(mApp->projectDir("jeu") + "/ev/map01/ev11",
                        "\r\nif var[1] == \"0\" then\r\nhero.vie = 1\r\nend\r\nhero.vie = 1\r\n"));
        mEditor->openCell("01", 1, 1);
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
        click("Command7");
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->messages()[0].contains(QDir::toNativeSeparators(mEditor->script().path())));
        QVERIFY(mSub->isVisible());
    }
};

QTEST_MAIN(TestEventEditor)
#include "test_eveditor.moc"
