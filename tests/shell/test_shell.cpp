// The whole user interface on a temporary application folder: start-up, menus and shortcuts,
// project creation and opening, the control panel and the map hand-over.

#include "maps/mapeditor.h"
#include "project/module1.h"
#include "shell/appfixture.h"
#include "shell/controlpanel.h"
#include "shell/folderlist.h"
#include "shell/mainform.h"
#include "shell/sendtopsp.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kCreationError = QStringLiteral(
    "Erreur , des données essentiels au fonctionnement du programme sont manquantes ou "
    "corrompus , veuillez réinstaller Quendal 3");

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private:
    TestApp* mApp = nullptr;
    Mainform* mMain = nullptr;
    int mQuits = 0;

    // Visible child windows whose widget bears the name.
    QList<QWidget*> children(const QString& name) const {
        QList<QWidget*> found;
        for (QMdiSubWindow* sub : mMain->mdiArea()->subWindowList())
            if (sub->widget() && sub->widget()->objectName() == name && sub->isVisible())
                found << sub->widget();
        return found;
    }
    QWidget* child(const QString& name) const {
        const auto found = children(name);
        return found.isEmpty() ? nullptr : found.last();
    }
    static void click(QWidget* window, const char* button) {
        auto* b = window->findChild<QPushButton*>(QLatin1String(button));
        QVERIFY2(b, button);
        b->click();
    }
    static QString text(QWidget* window, const char* name) {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }
    void trigger(const char* action) { mMain->findChild<QAction*>(QLatin1String(action))->trigger(); }
    ControlPanel* panel() const { return mMain->controlPanel(); }
    QStringList mapList() const {
        QStringList names;
        auto* list = panel()->findChild<QListWidget*>("List1");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    void openFolder(const QString& folder) {
        trigger("loadp");
        QWidget* openp = child("openp");
        QVERIFY(openp);
        openp->findChild<FolderList*>("Dir1")->setCurrentFolder(folder);
        click(openp, "Command1");
    }

private slots:
    void init() {
        mApp = new TestApp;
        mQuits = 0;
        mMain = new Mainform(mApp->services);
        mMain->setQuitAction([this] { ++mQuits; });
        mMain->start();
        QVERIFY(QTest::qWaitForWindowExposed(mMain));
    }
    void cleanup() {
        delete mMain;
        delete mApp;
    }

    void startShowsWelcomeAndMakesProjects() {
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3"));
        QWidget* acc = child("Acc");
        QVERIFY(acc);
        QCOMPARE(acc->windowTitle(), QStringLiteral("Bienvenu"));
        QVERIFY(QFileInfo(mApp->dir.path() + "/projets").isDir());
        // A second start on the same folder goes on quietly.
        Mainform again(mApp->services);
        QVERIFY(mApp->dialogs.shown.isEmpty());
    }

    void menusHaveTheirCaptionsAndKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("keys");
        QTest::newRow("file") << "file" << "&Fichier" << "";
        QTest::newRow("new") << "new" << "Nouveau Projet" << "Ctrl+N";
        QTest::newRow("loadp") << "loadp" << "Charger un projet" << "Ctrl+L";
        QTest::newRow("Quit") << "Quit" << "Quitter" << "Ctrl+Q";
        QTest::newRow("help") << "help" << "A&ide" << "";
        QTest::newRow("docu") << "docu" << "Documentation" << "Ctrl+D";
    }
    void menusHaveTheirCaptionsAndKeys() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, keys);
        auto* action = mMain->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), QKeySequence(keys));
        QVERIFY(mMain->findChild<QAction*>("separ")->isSeparator());
    }

    void shortcutsWork() {
        mMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mMain));
        QTest::keyClick(mMain, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(child("nouvprojet"));
        QTest::keyClick(mMain, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(child("openp"));
        QTest::keyClick(mMain, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(mApp->documents.opened, QStringList{mApp->dir.path() + "/Doc/index.html"});
        QTest::keyClick(mMain, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(child("Acc"));  // the menu leaves the welcome window open
    }

    void clickOnTheBackgroundSetsTheTitle() {
        QWidget* acc = child("Acc");
        QTest::mouseClick(acc, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3"));
        QWidget* viewport = mMain->mdiArea()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3 - Par Tamsik"));
    }

    void quitAsksFirst() {
        trigger("Quit");
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QCOMPARE(mApp->dialogs.shown[0].text, QStringLiteral("Êtes-vous sure de vouloir quitter ?"));
        QCOMPARE(mApp->dialogs.shown[0].title, QStringLiteral("Quendal"));
        QCOMPARE(mApp->dialogs.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::None);
        QCOMPARE(mQuits, 0);
        mApp->dialogs.answers = {MsgAnswer::Yes};
        trigger("Quit");
        QCOMPARE(mQuits, 1);
    }

    void welcomeButtons() {
        click(child("Acc"), "Command3");
        QCOMPARE(mApp->documents.opened.size(), 1);
        QVERIFY(child("Acc"));
        click(child("Acc"), "Command1");
        QVERIFY(child("nouvprojet"));
        QCOMPARE(child("nouvprojet")->windowTitle(), QStringLiteral("Créer un projet..."));
        QVERIFY(!child("Acc"));
        // Shown again: the same window comes to the front.
        trigger("new");
        QCOMPARE(children("nouvprojet").size(), 1);
    }

    void creationWithDefaultTexts() {
        click(child("Acc"), "Command1");
        click(child("nouvprojet"), "Command1");
        QVERIFY(mApp->dialogs.shown.isEmpty());
        QCOMPARE(panel()->property("Tag").toString(), QStringLiteral("Jeu sans nom"));
        QVERIFY(!child("nouvprojet"));
        QVERIFY(child("Controlpanel"));
        QCOMPARE(text(panel(), "Label5"), QStringLiteral("Jeu sans nom"));
        QCOMPARE(text(panel(), "Label6"), QStringLiteral("Anonyme"));
        QCOMPARE(text(panel(), "Label7"), QStringLiteral("1"));
        QCOMPARE(text(panel(), "Label8"), QStringLiteral("0"));
        QCOMPARE(mapList(), QStringList{"Carte 1"});
        const auto editors = children("mapeditor");
        QCOMPARE(editors.size(), 1);
        auto* editor = static_cast<MapEditor*>(editors[0]);
        QCOMPARE(editor->mapNumber(), QStringLiteral("01"));
        QCOMPARE(editor->tag(), QStringLiteral("01"));
        QCOMPARE(editor->parentWidget()->pos(), QPoint(panel()->parentWidget()->width(), 0));
        QCOMPARE(panel()->parentWidget()->pos(), QPoint(0, 0));
    }

    void creationOfAnExistingName() {
        const QString dir = makeProject(mApp->dir.path(), "Jeu sans nom", 1);
        const QByteArray ini = bytesOf(dir + "/projet.ini");
        trigger("new");
        auto* name = child("nouvprojet")->findChild<QLineEdit*>("text1");
        QCOMPARE(name->text(), QStringLiteral("Jeu sans nom"));
        click(child("nouvprojet"), "Command1");
        QCOMPARE(mApp->messages(), QStringList{kCreationError});
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::Critical);
        QCOMPARE(mApp->dialogs.shown[0].title, QStringLiteral("Quendal"));
        QVERIFY(child("nouvprojet"));
        QVERIFY(!child("Controlpanel"));
        QVERIFY(panel()->tag().isEmpty());
        QCOMPARE(bytesOf(dir + "/projet.ini"), ini);
    }

    void openingChecksTheFolder_data() {
        QTest::addColumn<QString>("folder");   // below the application folder
        QTest::addColumn<QString>("nom");      // written into the folder's projet.ini; "-" none
        QTest::addColumn<bool>("accepted");
        QTest::newRow("projects root") << "projets" << "-" << false;
        QTest::newRow("a project") << "projets/Mon jeu" << "Mon jeu" << true;
        QTest::newRow("folder outside projets") << "ailleurs/Mon jeu" << "Mon jeu" << false;
        QTest::newRow("renamed project") << "projets/Copie" << "Mon jeu" << false;
        QTest::newRow("nom with a slash") << "projets/a" << "../projets/a" << false;
        QTest::newRow("nom is dot dot") << "projets/b" << ".." << false;
        QTest::newRow("no projet.ini") << "projets/vide" << "-" << false;
        QTest::newRow("empty nom") << "projets/c" << "" << false;
    }
    void openingChecksTheFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, nom);
        QFETCH(bool, accepted);
        makeProject(mApp->dir.path(), "Mon jeu", 2);
        const QString path = mApp->dir.path() + '/' + folder;
        QDir().mkpath(path);
        if (nom != "-")
            writeini("Jeu", "nom", nom, path + "/projet.ini");
        openFolder(path);
        if (!accepted) {
            QCOMPARE(mApp->messages(), QStringList{"Erreur : Projet invalide !"});
            QCOMPARE(mApp->dialogs.shown[0].title, QStringLiteral("Quendal"));
            QVERIFY(child("openp"));
            QCOMPARE(child("openp")->findChild<FolderList*>("Dir1")->currentFolder(), path);
            QVERIFY(panel()->tag().isEmpty());
            QVERIFY(children("mapeditor").isEmpty());
            return;
        }
        QVERIFY(mApp->dialogs.shown.isEmpty());
        QCOMPARE(panel()->tag(), nom);
        QVERIFY(!child("openp"));
        QCOMPARE(mapList(), (QStringList{"Carte 1", "Carte 2"}));
        QCOMPARE(text(panel(), "Label6"), QStringLiteral("Moi"));
        QCOMPARE(children("mapeditor").size(), 1);
    }

    void folderListNavigatesByDoubleClick() {
        makeProject(mApp->dir.path(), "Mon jeu", 1);
        trigger("loadp");
        auto* dir1 = child("openp")->findChild<FolderList*>("Dir1");
        QCOMPARE(dir1->currentFolder(), QDir(mApp->dir.path() + "/projets").absolutePath());
        QListWidgetItem* item = dir1->findItems("Mon jeu", Qt::MatchEndsWith).value(0);
        QVERIFY(item);
        const QPoint at = dir1->visualItemRect(item).center();
        QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, at);
        click(child("openp"), "Command1");  // only highlighted: still the root
        QCOMPARE(mApp->messages(), QStringList{"Erreur : Projet invalide !"});
        QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(dir1->currentFolder(), QDir(mApp->dir.path() + "/projets/Mon jeu").absolutePath());
        click(child("openp"), "Command1");
        QCOMPARE(panel()->tag(), QStringLiteral("Mon jeu"));
    }

    void panelReportsMissingCombats() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 2);
        putFile(dir + "/projet.ini", readfile(dir + "/projet.ini").remove("combats=0\r\n").toLatin1());
        openFolder(dir);
        const QString message = mApp->dialogs.shown.value(0).text;
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(message.startsWith("Erreur : Une donnée de votre jeu n'a pu être chargée , le programme "
                                   "risque d'être instable , il est conseillé de le redémarrer , si le "
                                   "problème persiste , contacter Tamsik sur le forum de "));
        QVERIFY(message.size() > 190);
        QVERIFY(text(panel(), "Label8").isEmpty());
        QCOMPARE(mapList(), (QStringList{"Carte 1", "Carte 2"}));
    }

    void panelRereadsOnActivation() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 1);
        openFolder(dir);
        auto* editor = static_cast<MapEditor*>(child("mapeditor"));
        editor->newMap();
        QCOMPARE(editor->tag(), QStringLiteral("02"));
        panel()->parentWidget()->move(50, 60);
        mMain->mdiArea()->setActiveSubWindow(static_cast<QMdiSubWindow*>(panel()->parentWidget()));
        QCOMPARE(text(panel(), "Label7"), QStringLiteral("02"));
        QCOMPARE(mapList(), (QStringList{"Carte 1", "Carte 1"}));
        QCOMPARE(panel()->parentWidget()->pos(), QPoint(0, 0));
    }

    void doubleClickHandsTheMapOver() {
        openFolder(makeProject(mApp->dir.path(), "Mon jeu", 12));
        auto* list = panel()->findChild<QListWidget*>("List1");
        QStringList numbers;
        for (int row : {0, 9, 11, 11}) {
            list->setCurrentRow(row);
            emit list->itemDoubleClicked(list->item(row));
            numbers << static_cast<MapEditor*>(child("mapeditor"))->mapNumber();
        }
        QCOMPARE(numbers, (QStringList{"01", "10", "12", "12"}));
        QCOMPARE(children("mapeditor").size(), 5);  // with the one opening made
        QVERIFY(mApp->dialogs.shown.isEmpty());
    }

    void panelButtons() {
        openFolder(makeProject(mApp->dir.path(), "Mon jeu", 1));
        QCOMPARE(panel()->findChild<QPushButton*>("Command5")->toolTip(),
                 QStringLiteral("Finir votre jeu pour pouvoir y jouer sur Playstation Portable"));
        click(panel(), "Command5");
        QCOMPARE(mApp->messages(), QStringList{"En création..."});
        click(panel(), "Command2");
        QCOMPARE(child("combateditor")->windowTitle(), QStringLiteral("Editeur de combats"));
        click(panel(), "Command3");
        QCOMPARE(child("gameoptions")->windowTitle(), QStringLiteral("Form1"));
        click(panel(), "Command3");
        QCOMPARE(children("gameoptions").size(), 1);
    }

    void variablesEditorOpensFromThePanel() {
        openFolder(makeProject(mApp->dir.path(), "Mon jeu", 1));
        click(panel(), "Command6");
        QWidget* var = child("var");
        QVERIFY(var);
        QCOMPARE(var->windowTitle(), QStringLiteral("Variables du jeu"));
        QCOMPARE(text(var, "Label2"), QStringLiteral("0"));
        // Changed by hand, shown when the window becomes active again.
        writeini("Variables", "nombre", "2", mApp->dir.path() + "/projets/Mon jeu/projet.ini");
        mMain->showControlPanel();
        click(panel(), "Command6");
        QCOMPARE(children("var").size(), 1);
        QCOMPARE(text(var, "Label2"), QStringLiteral("2"));
        QCOMPARE(var->findChild<QListWidget*>("List1")->count(), 2);
    }

    void testButtonBuildsAndStartsThePlayer() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 1);
        openFolder(dir);
        click(panel(), "Command4");
        QVERIFY2(mApp->dialogs.shown.isEmpty(), qPrintable(mApp->messages().join('|')));
        QCOMPARE(mApp->processes.started.size(), 1);
        const auto& start = mApp->processes.started[0];
        QCOMPARE(start.program, mApp->dir.path() + "/luaplayer");
        QCOMPARE(start.arguments, QStringList{"index.lua"});
        QCOMPARE(start.workingDirectory, mApp->dir.path());
        QVERIFY(readfile(dir + "/ev.lua").startsWith("function runev(colonne,ligne,map)"));
        QCOMPARE(readfile(mApp->dir.path() + "/index.lua"),
                 QStringLiteral("System.currentDirectory(\"projets/Mon jeu\")\r\n"
                                "dofile(\"index.lua\")\r\n"));

        // A script that does not compile: a message, and nothing started.
        QDir().mkpath(dir + "/ev/map01");
        writefile("\r\nif var[1] == \"0\" then", dir + "/ev/map01/ev23");
        click(panel(), "Command4");
        QCOMPARE(mApp->processes.started.size(), 1);
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::Critical);
        QVERIFY(mApp->messages()[0].contains("01"));
    }

    void finalisingWindowStandsAlone() {
        SendToPsp* w = mMain->sendtopsp();
        QCOMPARE(w->objectName(), QStringLiteral("sendtopsp"));
        QVERIFY(w->isWindow());
        QVERIFY(!w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Finaliser le jeu"));
        QVERIFY(!w->findChild<QRadioButton*>("Option1")->isChecked());
        QVERIFY(!w->findChild<QRadioButton*>("Option2")->isChecked());
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
