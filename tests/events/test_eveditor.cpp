// The event editor window driven through its own buttons with scripted prompts: the line each
// command appends, the sub-panels, delete mode, and what "OK" and "Annuler" write.
#include "events/eventeditor.h"
#include "events/scriptdocument.h"
#include "testsupport/appfixture.h"

#include <QComboBox>
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
