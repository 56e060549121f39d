// The event command sub-panels in both of their hosts, driven through their controls with
// scripted prompts: each must give its exact line, or none.

#include "events/commandpanels.h"
#include "shell/dialogservice.h"
#include "shell/services.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestCommandPanels : public QObject {
    Q_OBJECT
private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
        mDialogs = ScriptedDialogService();
        mServices = std::make_unique<AppServices>(
            AppServices{mDir->path(), mDialogs, mProcesses, mDocuments});
        writeIni("[Jeu]\r\ncartes=12\r\n[Carte01]\r\nnom=Village\r\n[Carte03]\r\nnom=Forêt\r\n"
                 "[Carte12]\r\nnom=Château\r\n[Variables]\r\nnombre=2\r\n"
                 "[Variable1]\r\nvaleur=oui\r\n[Variable2]\r\nvaleur=0\r\n");
        mHost = std::make_unique<QWidget>();
        mHost->resize(800, 400);
        mHost->show();
    }
    void cleanup() { mHost.reset(); }

    void lifeLines_data() {
        QTest::addColumn<bool>("mapEditor");
        QTest::addColumn<int>("index"); // -1: no option chosen
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("line"); // empty: no line
        QTest::newRow("editor, Retirer") << false << 0 << "2" << "hero.vie = hero.vie - 2";
        QTest::newRow("editor, Remplacer") << false << 2 << "10" << "hero.vie = 10";
        QTest::newRow("panel, Ajouter, empty") << true << 4 << "" << "hero.vie = hero.vie + ";
        QTest::newRow("panel, Retirer") << true << 5 << "1" << "hero.vie = hero.vie - 1";
        QTest::newRow("panel, Remplacer") << true << 3 << "5" << "hero.vie = 5";
        QTest::newRow("no option") << false << -1 << "3" << "";
    }
    void lifeLines() {
        QFETCH(bool, mapEditor);
        QFETCH(int, index);
        QFETCH(QString, amount);
        QFETCH(QString, line);
        const auto names = mapEditor ? CommandPanelNames::mapEditorPanel()
                                     : CommandPanelNames::eventEditor();
        auto* panel = new LifePanel(*mServices, project(), names.life, mHost.get());
        QSignalSpy spy(panel, &CommandPanel::lineReady);
        QVERIFY(panel->isHidden());
        panel->toggle();
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->objectName(), names.life.frame);
        for (int i : {names.life.removeIndex, names.life.addIndex, names.life.replaceIndex}) {
            auto* option = panel->findChild<QRadioButton*>("Option1_" + QString::number(i));
            QVERIFY(option);
            QCOMPARE(option->property("index").toInt(), i);
            QVERIFY(!option->isChecked());
        }
        if (index >= 0)
            QTest::mouseClick(panel->findChild<QRadioButton*>("Option1_" + QString::number(index)),
                              Qt::LeftButton);
        auto* field = panel->findChild<QLineEdit*>("Text2");
        QCOMPARE(field->text(), QString("0"));
        field->setText(amount);
        QTest::mouseClick(panel->findChild<QPushButton*>(names.life.ok), Qt::LeftButton);
        QCOMPARE(spy.size(), line.isEmpty() ? 0 : 1);
        if (!line.isEmpty())
            QCOMPARE(spy[0][0].toString(), line);
        QVERIFY(panel->isHidden()); // closes with or without a line
    }

    void variableLine_data() {
        QTest::addColumn<bool>("mapEditor");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("line");
        QTest::newRow("editor") << false << std::optional<QString>("oui") << "var[2] = \"oui\"";
        QTest::newRow("panel, cancelled") << true << std::optional<QString>() << "var[2] = \"\"";
    }
    void variableLine() {
        QFETCH(bool, mapEditor);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, line);
        const auto names = mapEditor ? CommandPanelNames::mapEditorPanel()
                                     : CommandPanelNames::eventEditor();
        auto* panel = new VariablesPanel(*mServices, project(), names.variables, mHost.get());
        QSignalSpy spy(panel, &CommandPanel::lineReady);
        panel->toggle();
        auto* list = panel->findChild<QListWidget*>("List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Variable1"));
        mDialogs.promptAnswers = {answer};
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].text, QString("Taper la nouvelle valeur de la variable : "));
        QCOMPARE(mDialogs.shown[0].title, QString("Quendal"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toString(), line);
        QVERIFY(panel->isHidden());
        QCOMPARE(panel->objectName(), names.variables.frame);
    }

    void variableListRebuiltOnOpen() {
        auto* panel = new VariablesPanel(*mServices, project(),
                                         CommandPanelNames::eventEditor().variables, mHost.get());
        panel->toggle();
        writeIni("[Variables]\r\nnombre=\r\n");
        panel->toggle(); // hides, and rebuilds all the same
        QVERIFY(panel->isHidden());
        QCOMPARE(panel->findChild<QListWidget*>("List1")->count(), 0);
    }

    void conditionLine() {
        const auto names = CommandPanelNames::mapEditorPanel().conditions;
        auto* panel = new ConditionsPanel(*mServices, project(), names, mHost.get());
        QSignalSpy spy(panel, &CommandPanel::lineReady);
        panel->toggle();
        auto* variables = panel->findChild<QComboBox*>("Combo1");
        auto* operators = panel->findChild<QComboBox*>("Combo2");
        auto* value = panel->findChild<QLineEdit*>("Text3");
        auto* add = panel->findChild<QPushButton*>("Command3");
        QCOMPARE(panel->findChild<QLabel*>("Label11")->text(), QString("Si"));
        QCOMPARE(variables->itemText(1), QString("Variable 2 de valeur initale : 0"));
        QCOMPARE(operators->toolTip(), QString("=  : égal | ! : différent"));
        QCOMPARE(value->toolTip(), QString("Taper la valeur (texte ou nombre)"));
        QCOMPARE(value->text(), QString("0"));

        // "Faire une condition" with no variable chosen: nothing, and the panel stays.
        operators->setCurrentIndex(1);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(spy.size(), 0);
        QVERIFY(!panel->isHidden());

        variables->setCurrentIndex(1);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toString(), QString("if var[2] ~= \"0\" then"));
        QVERIFY(panel->isHidden());

        // Reopened: the variable must be chosen again, the operator keeps its choice.
        panel->toggle();
        QCOMPARE(variables->currentIndex(), -1);
        QCOMPARE(operators->currentText(), QString("!"));
        variables->setCurrentIndex(0);
        operators->setCurrentIndex(0);
        value->setText("oui");
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(spy.last()[0].toString(), QString("if var[1] == \"oui\" then"));
    }

    void mapChooserInEventEditor() {
        const auto names = CommandPanelNames::eventEditor().mapChooser;
        auto* panel = new MapChooserPanel(*mServices, project(), names, mHost.get());
        QSignalSpy spy(panel, &CommandPanel::lineReady);
        QVERIFY(panel->toggle("01"));
        auto* scroll = panel->findChild<QScrollBar*>("HScroll1");
        auto* number = panel->findChild<QLabel*>("Label6");
        auto* name = panel->findChild<QLabel*>("Label4");
        QCOMPARE(panel->findChild<QLabel*>("Label5")->text(), QString("Carte n° :"));
        QCOMPARE(scroll->maximum(), 12);
        QCOMPARE(name->text(), QString("Village"));
        scroll->setValue(12);
        QCOMPARE(number->text(), QString("12"));
        QCOMPARE(name->text(), QString("Château"));
        scroll->setValue(3);
        QCOMPARE(number->text(), QString("03"));
        QCOMPARE(name->text(), QString("Forêt"));
        QTest::mouseClick(panel->findChild<QPushButton*>("Command9"), Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toString(), QString("runmap(\"03\")"));
        QVERIFY(panel->isHidden());
    }

    void mapChooserInMapEditor() {
        const auto names = CommandPanelNames::mapEditorPanel().mapChooser;
        auto* panel = new MapChooserPanel(*mServices, project(), names, mHost.get());
        QSignalSpy spy(panel, &CommandPanel::lineReady);
        QVERIFY(panel->toggle("03")); // the map being edited is named; the choice stays "01"
        QCOMPARE(panel->findChild<QLabel*>("Label14")->text(), QString("Forêt"));
        QCOMPARE(panel->findChild<QLabel*>("Label12")->text(), QString("01"));
        QTest::mouseClick(panel->findChild<QPushButton*>("Command21"), Qt::LeftButton);
        QCOMPARE(spy[0][0].toString(), QString("runmap(\"01\")"));

        // A count that is not a map count: refused, the panel stays hidden, the host reports.
        for (const QString bad : {"", "0", "x"}) {
            writeIni("[Jeu]\r\ncartes=" + bad + "\r\n");
            QVERIFY(!panel->toggle("01"));
            QVERIFY(panel->isHidden());
        }
        // The count shrinks while the panel is open: the choice follows the new maximum.
        writeIni("[Jeu]\r\ncartes=12\r\n");
        QVERIFY(panel->toggle("01"));
        auto* scroll = panel->findChild<QScrollBar*>("HScroll3");
        scroll->setValue(11);
        writeIni("[Jeu]\r\ncartes=04\r\n");
        scroll->setValue(10);
        QCOMPARE(scroll->value(), 4);
        QCOMPARE(panel->chosenMap(), QString("04"));
    }

    void promptCommands() {
        mDialogs.promptAnswers = {std::nullopt, QString("Bonjour")};
        QCOMPARE(promptcommands::textLine(mDialogs, nullptr), QString("affichertexte(\"\")"));
        QCOMPARE(promptcommands::textLine(mDialogs, nullptr),
                 QString("affichertexte(\"Bonjour\")"));
        QCOMPARE(mDialogs.shown[0].text, QString("Taper le texte :"));
        QCOMPARE(mDialogs.shown[0].title, QString("Quendal"));
        QCOMPARE(mDialogs.shown.size(), 2);

        mDialogs.shown.clear();
        mDialogs.promptAnswers = {QString(" 007 "), QString("40000"), std::nullopt};
        QCOMPARE(promptcommands::pauseLine(mDialogs, nullptr),
                 std::optional<QString>("screen.waitVblankStart(7)"));
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].text, QString("Tapez le temps en frame"));
        for (int i = 0; i < 2; ++i) { // out of range, then cancelled
            QVERIFY(!promptcommands::pauseLine(mDialogs, nullptr));
            const auto& error = mDialogs.shown.last();
            QCOMPARE(error.kind, ScriptedDialogService::Shown::Message);
            QCOMPARE(error.text, QString("Valeur incorrect !"));
            QCOMPARE(error.title, QString("Quendal"));
            QCOMPARE(error.icon, MsgIcon::Critical);
        }
    }

private:
    std::function<QString()> project() const {
        return [] { return QStringLiteral("jeu"); };
    }
    void writeIni(const QString& text) { // projet.ini is Windows-1252
        const QString folder = mDir->path() + "/projets/jeu";
        QDir().mkpath(folder);
        QFile f(folder + "/projet.ini");
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toLatin1());
    }

    std::unique_ptr<QTemporaryDir> mDir;
    ScriptedDialogService mDialogs;
    RecordingProcessService mProcesses;
    RecordingDocumentService mDocuments;
    std::unique_ptr<AppServices> mServices;
    std::unique_ptr<QWidget> mHost;
};

QTEST_MAIN(TestCommandPanels)
#include "test_commandpanels.moc"
