// The event editor window driven through its own buttons, with scripted prompts and answers,
// on a throwaway project: the lines each command appends, the sub-panels, delete mode, and
// what "OK" and "Annuler" do to the window and to the script file.

#include "events/eveditor.h"
#include "shell/appfolder.h"
#include "shell/dialogservice.h"
#include "shell/services.h"

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

#include <memory>

namespace {
const QString kProject = QStringLiteral("jeu");
const QByteArray kFirstLineFile = "\r\n-- Evenements :\r\n";
} // namespace

class TestEventEditor : public QObject {
    Q_OBJECT
private slots:
    void init() {
        mApp = std::make_unique<AppFolder>();
        QVERIFY(mApp->dir.isValid());
        mProject = kProject;
        makeProject(appDir(), mProject, 12);
        // Two variables for the variable and condition panels.
        QVERIFY(writeini("Variables", "nombre", "2", ini()));
        QVERIFY(writeini("Variable1", "valeur", "oui", ini()));
        QVERIFY(writeini("Variable2", "valeur", "0", ini()));
        mDialogs = ScriptedDialogService();
        mServices = std::make_unique<AppServices>(
            AppServices{appDir(), mDialogs, mProcesses, mDocuments});
        mArea = std::make_unique<QMdiArea>();
        mArea->resize(900, 700);
        mEditor = new EventEditor(*mServices, [this] { return mProject; });
        mSub = mArea->addSubWindow(mEditor);
        mArea->show();
        mSub->show();
        QVERIFY(QTest::qWaitForWindowExposed(mArea.get()));
    }
    void cleanup() { mArea.reset(); }

    void creation() {
        QCOMPARE(mEditor->objectName(), QString("eveditor"));
        QCOMPARE(mEditor->windowTitle(), QString("Editeur d'évenement"));
        QCOMPARE(text<QLabel>("ln"), QString("1"));
        QCOMPARE(text<QLabel>("co"), QString("1"));
        QCOMPARE(mEditor->mapNumber(), QString("01"));
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
        QVERIFY(!list()->accessibleName().isEmpty());
        auto* frame4 = child<QGroupBox>("Frame4");
        QCOMPARE(frame4->x(), 0);
        QVERIFY(frame4->isHidden());
        for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5"})
            QVERIFY2(child<QGroupBox>(frame)->isHidden(), frame);
    }

    void commandLines_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<std::optional<QString>>("answer"); // prompt answer, if any
        QTest::addColumn<QString>("line");                  // empty: no line
        const std::optional<QString> none;
        QTest::newRow("end") << "Command15" << none << "end";
        QTest::newRow("text") << "Command5" << std::optional<QString>("Bonjour")
                              << "affichertexte(\"Bonjour\")";
        QTest::newRow("text cancelled") << "Command5" << none << "affichertexte(\"\")";
        QTest::newRow("pause") << "Command6" << std::optional<QString>("007")
                               << "screen.waitVblankStart(7)";
        QTest::newRow("pause too long") << "Command6" << std::optional<QString>("32768") << "";
        QTest::newRow("pause not a number") << "Command6" << std::optional<QString>("abc") << "";
        QTest::newRow("life") << "Command2" << none << "hero.vie = hero.vie + 3";
        QTest::newRow("variable") << "Command3" << std::optional<QString>("oui")
                                  << "var[2] = \"oui\"";
        QTest::newRow("condition") << "Command13" << none << "if var[2] ~= \"0\" then";
        QTest::newRow("map") << "Command1" << none << "runmap(\"01\")";
        QTest::newRow("fight") << "Command4" << none << "";
    }
    void commandLines() {
        QFETCH(QString, command);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, line);
        if (answer)
            mDialogs.promptAnswers = {answer};
        click(command);
        if (command == "Command2") {
            QTest::mouseClick(child<QRadioButton>("Option1_1"), Qt::LeftButton);
            child<QLineEdit>("Text2")->setText("3");
            click("Command10");
        } else if (command == "Command3") {
            auto* variables = child<QListWidget>("List1");
            QTest::mouseClick(variables->viewport(), Qt::LeftButton, {},
                              variables->visualItemRect(variables->item(1)).center());
        } else if (command == "Command13") {
            child<QComboBox>("Combo1")->setCurrentIndex(1);
            child<QComboBox>("Combo2")->setCurrentIndex(1);
            click("Command14");
        } else if (command == "Command1") {
            click("Command9");
        }
        QStringList expected{"-- Evenements :"};
        if (!line.isEmpty())
            expected.append(line);
        QCOMPARE(mEditor->lines(), expected);
        if (command == "Command6" && line.isEmpty()) {
            QCOMPARE(mDialogs.shown.size(), 2);
            QCOMPARE(mDialogs.shown[1].text, QString("Valeur incorrect !"));
            QCOMPARE(mDialogs.shown[1].icon, MsgIcon::Critical);
        }
        if (command == "Command4" || command == "Command15")
            QVERIFY(mDialogs.shown.isEmpty());
        // Every sub-panel closes after giving its line.
        for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5"})
            QVERIFY2(child<QGroupBox>(frame)->isHidden(), frame);
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
        auto* panel = child<QGroupBox>(frame);
        click(command);
        QVERIFY(panel->isVisible());
        click(command);
        QVERIFY(panel->isHidden());
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
    }

    void conditionWithoutVariableStaysOpen() {
        click("Command13");
        child<QComboBox>("Combo2")->setCurrentIndex(0);
        click("Command14");
        QVERIFY(child<QGroupBox>("Frame5")->isVisible());
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
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
        QCOMPARE(text<QLabel>("Label4"), QString("Carte 1"));
        auto* scroll = child<QScrollBar>("HScroll1");
        QCOMPARE(scroll->maximum(), 12);
        scroll->setValue(map);
        QCOMPARE(text<QLabel>("Label6"), number);
        QCOMPARE(text<QLabel>("Label4"), "Carte " + QString::number(map));
        click("Command9");
        QCOMPARE(mEditor->lines().last(), "runmap(\"" + number + "\")");
        // Opened again: the name of map 1 whatever the scroll bar shows.
        click("Command1");
        QCOMPARE(text<QLabel>("Label4"), QString("Carte 1"));
        QCOMPARE(text<QLabel>("Label6"), number);
    }

    void mapChooserWithoutMaps() {
        mProject = "vide";
        makeProject(appDir(), mProject, 0);
        click("Command1");
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].text,
                 QString("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                         "créée"));
        QCOMPARE(mDialogs.shown[0].icon, MsgIcon::None);
        // The map is added as "Nouvelle carte" does: files and count.
        QCOMPARE(readini("Jeu", "cartes", ini()), QString("01"));
        QVERIFY(QFile::exists(mApp->projectDir(mProject) + "/map01.map"));
        QVERIFY(child<QGroupBox>("Frame2")->isVisible());
        QCOMPARE(child<QScrollBar>("HScroll1")->maximum(), 1);
    }

    void mapChooserWithBadCount_data() {
        QTest::addColumn<QString>("cartes");
        QTest::newRow("empty") << "";
        QTest::newRow("word") << "douze";
    }
    void mapChooserWithBadCount() {
        QFETCH(QString, cartes);
        QVERIFY(writeini("Jeu", "cartes", cartes, ini()));
        click("Command1");
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].icon, MsgIcon::Critical);
        QVERIFY(mDialogs.shown[0].text.contains("projet.ini"));
        QVERIFY(child<QGroupBox>("Frame2")->isHidden());
        QVERIFY(mSub->isVisible()); // not fatal
        QCOMPARE(readini("Jeu", "cartes", ini()), cartes);
    }

    void badVariableCountGivesEmptyLists() {
        QVERIFY(writeini("Variables", "nombre", "deux", ini()));
        click("Command3");
        QCOMPARE(child<QListWidget>("List1")->count(), 0);
        click("Command13");
        QCOMPARE(child<QComboBox>("Combo1")->count(), 0);
        click("Command14");
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
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
        // Outside delete mode a click only selects.
        clickLine(0);
        QVERIFY(mDialogs.shown.isEmpty());

        click("Command11");
        QVERIFY(mEditor->deleteMode());
        QVERIFY(child<QGroupBox>("Frame4")->isVisible());
        mDialogs.answers = {answer};
        clickLine(0);
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].text, QString("Êtes-vous sure ?"));
        QCOMPARE(mDialogs.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(mEditor->lines(), after);
        QVERIFY(mEditor->deleteMode()); // stays on for the next line

        click("Command12");
        QVERIFY(!mEditor->deleteMode());
    }

    void keyboard() {
        mArea->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mArea.get()));
        click("Command15");
        list()->setFocus();
        list()->setCurrentRow(1);
        QTest::keyClick(list(), Qt::Key_Delete); // not in delete mode: nothing
        QVERIFY(mDialogs.shown.isEmpty());
        click("Command11");
        mDialogs.answers = {MsgAnswer::Yes};
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
        QTest::keyClick(list(), Qt::Key_Escape); // "Annuler"
        QVERIFY(mSub->isHidden());
    }

    void cancelKeepsLinesAndFile() {
        const QString path = mEditor->scriptPath();
        putFile(path, "\r\nend\r\n");
        click("Command15");
        click("Command11");
        click("Command8");
        QVERIFY(mSub->isHidden());
        QCOMPARE(bytesOf(path), QByteArray("\r\nend\r\n"));
        mSub->show();
        QCOMPARE(mEditor->lines(), (QStringList{"-- Evenements :", "end"}));
        QVERIFY(mEditor->deleteMode());
    }

    void okWritesScript() {
        click("Command7");
        QVERIFY(mSub->isHidden());
        QCOMPARE(bytesOf(mApp->projectDir(kProject) + "/ev/map01/ev11"), kFirstLineFile);
    }

    void openCell() {
        const QString dir = mApp->projectDir(kProject) + "/ev/map02/";
        putFile(dir + "ev312", "\r\n-- Evenements :\r\nrunmap(\"01\")\r\n");
        mEditor->openCell("02", 3, 12);
        QCOMPARE(text<QLabel>("ln"), QString("3"));
        QCOMPARE(text<QLabel>("co"), QString("12"));
        QCOMPARE(mEditor->lines(), (QStringList{"-- Evenements :", "runmap(\"01\")"}));
        click("Command15");
        click("Command7");
        QCOMPARE(bytesOf(dir + "ev312"),
                 QByteArray("\r\n-- Evenements :\r\nrunmap(\"01\")\r\nend\r\n"));

        // A cell without a file starts afresh, replacing the lines shown.
        mEditor->openCell("02", 1, 1);
        QCOMPARE(mEditor->lines(), QStringList{"-- Evenements :"});
        click("Command7");
        QCOMPARE(bytesOf(dir + "ev11"), kFirstLineFile);
        QVERIFY(!QFile::exists(mApp->projectDir(kProject) + "/ev/map01/ev11"));
    }

    void failedWriteKeepsWindowOpen() {
        // A folder where the file should be: the write cannot succeed.
        const QString path = mEditor->scriptPath();
        QVERIFY(QDir().mkpath(path));
        click("Command15");
        click("Command7");
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].title, QString("Quendal"));
        QVERIFY(mDialogs.shown[0].text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(mSub->isVisible());
        QCOMPARE(mEditor->lines(), (QStringList{"-- Evenements :", "end"}));
    }

private:
    QString appDir() const { return mApp->dir.path(); }
    QString ini() const { return mApp->projectDir(mProject) + "/projet.ini"; }
    template <typename W>
    W* child(const QString& name) const {
        auto* w = mEditor->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    template <typename W>
    QString text(const QString& name) const {
        return child<W>(name)->text();
    }
    QListWidget* list() const { return child<QListWidget>("text1"); }
    void click(const QString& button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void clickLine(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }

    std::unique_ptr<AppFolder> mApp;
    QString mProject;
    ScriptedDialogService mDialogs;
    RecordingProcessService mProcesses;
    RecordingDocumentService mDocuments;
    std::unique_ptr<AppServices> mServices;
    std::unique_ptr<QMdiArea> mArea;
    QMdiSubWindow* mSub = nullptr;
    EventEditor* mEditor = nullptr;
};

QTEST_MAIN(TestEventEditor)
#include "test_eveditor.moc"
