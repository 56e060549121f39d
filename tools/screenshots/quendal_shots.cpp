// quendal_shots: the pictures of the user's guide, taken from the running program.
//
// It makes an application folder in a temporary directory from the repository's data/,
// opens the real windows headless with scripted message boxes and prompts, plays a short
// session (creates a project, paints a map, adds variables, writes an event) and saves a
// grab of each window. Then it presses "Tester votre jeu" and runs the real luaplayer,
// headless, on what the test run wrote, for three pictures of the game, and finalises the
// game onto a folder standing for a memory stick.
//
//   QT_QPA_PLATFORM=offscreen quendal_shots SOURCE_DIR OUTPUT_DIR LUAPLAYER
//
// It stops with a message naming the control it could not find, so that a renamed control
// shows at once instead of giving a wrong picture.

#include "maps/tilepalette.h"
#include "plays/recordingstore.h"
#include "plays/verificationwindow.h"
#include "project/apppaths.h"
#include "project/projectsession.h"
#include "shell/controlpanel.h"
#include "shell/folderlist.h"
#include "shell/mainwindow.h"
#include "shell/sendtopsp.h"
#include "testsupport/doubles.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>

namespace {

QString gOut;
int gShots = 0;

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "quendal_shots: %s\n", qPrintable(what));
    std::exit(1);
}

// Lets timers and pending repaints run.
void settle(int ms = 250) {
    QTest::qWait(ms);
    QApplication::processEvents();
}

template <typename T>
T* need(QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found)
        fail(QStringLiteral("control %1 not found in %2").arg(name, root->objectName()));
    return found;
}

// A button found by its caption, for controls whose object names vary between windows.
template <typename T>
T* byText(QObject* root, const QString& text) {
    for (T* b : root->findChildren<T*>())
        if (b->text() == text)
            return b;
    fail(QStringLiteral("no control with the caption \"%1\" in %2").arg(text, root->objectName()));
}

void click(QObject* root, const QString& name) {
    auto* b = need<QAbstractButton>(root, name);
    if (!b->isVisible())
        fail(QStringLiteral("button %1 is hidden").arg(name));
    b->click();
    settle(60);
}

// The visible child window of the main window whose widget bears the name (the last one).
QWidget* child(MainWindow& main, const QString& name) {
    QWidget* found = nullptr;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == name && sub->isVisible())
            found = sub->widget();
    if (!found)
        fail(QStringLiteral("window %1 is not open").arg(name));
    return found;
}

QWidget* frameOf(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p))
            return sub;
    return w;
}

void save(QWidget* w, const QString& name) {
    settle();
    const QString path = gOut + u'/' + name + QStringLiteral(".png");
    if (!w->grab().save(path))
        fail(QStringLiteral("cannot write ") + path);
    std::printf("%s\n", qPrintable(path));
    ++gShots;
}

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            fail(QStringLiteral("cannot copy ") + file);
    }
}

// A press (or a double click) on the cell in row r, column c of the map canvas: cells are
// 28 x 29 pixels from the canvas's top left corner.
QPoint cellCentre(int r, int c) { return {(c - 1) * 28 + 14, (r - 1) * 29 + 14}; }

void pressCell(QWidget* canvas, int r, int c) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, cellCentre(r, c));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, cellCentre(r, c));
}

// A drag with the chosen tool from one cell to another, through the cells between.
void dragCells(QWidget* canvas, QPoint from, QPoint to) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, cellCentre(from.x(), from.y()));
    QTest::mouseMove(canvas, cellCentre((from.x() + to.x()) / 2, (from.y() + to.y()) / 2));
    QTest::mouseMove(canvas, cellCentre(to.x(), to.y()));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, cellCentre(to.x(), to.y()));
}

void chooseTool(QWidget* editor, const char* tool) {
    need<QAction>(editor, QLatin1String(tool))->trigger();
}

// The tile is chosen on the palette, which selects the drawing mode.
void chooseTile(QWidget* editor, int tile) {
    auto* palette = need<TilePalette>(editor, QStringLiteral("tilePalette"));
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->tileRect(tile).center());
}

void paintCells(QWidget* editor, QWidget* canvas, int tile, const QList<QPoint>& cells) {
    chooseTile(editor, tile);
    chooseTool(editor, "toolPencil");
    for (const QPoint& rc : cells)
        pressCell(canvas, rc.x(), rc.y());
}

// The pointer over a cell, the map shown `zoom` times enlarged.
void hover(QWidget* canvas, int r, int c, int zoom = 1) {
    const QPoint at = cellCentre(r, c) * zoom;
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

QList<QPoint> row(int r, int from, int to) {
    QList<QPoint> cells;
    for (int c = from; c <= to; ++c)
        cells << QPoint(r, c);
    return cells;
}

// Runs luaplayer headless on the launcher that the test run wrote and keeps its last frame.
void playGame(const QString& luaplayer, const RecordingProcessService::Start& start,
              const QString& buttons, int frames, const QString& name) {
    const QString buttonFile = start.workingDirectory + QStringLiteral("/boutons-") + name;
    QFile f(buttonFile);
    if (!f.open(QIODevice::WriteOnly) || f.write(buttons.toUtf8()) < 0)
        fail(QStringLiteral("cannot write ") + buttonFile);
    f.close();
    const QString png = gOut + u'/' + name + QStringLiteral(".png");
    QProcess player;
    player.setWorkingDirectory(start.workingDirectory);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(luaplayer, QStringList{QStringLiteral("--headless"), QStringLiteral("--frames"),
                                        QString::number(frames), QStringLiteral("--buttons"),
                                        buttonFile, QStringLiteral("--screenshot"), png,
                                        start.arguments.last()});
    if (!player.waitForFinished(60000) || player.exitStatus() != QProcess::NormalExit)
        fail(QStringLiteral("luaplayer did not end for ") + name);
    if (!QFileInfo::exists(png))
        fail(QStringLiteral("luaplayer wrote no ") + png);
    std::printf("%s\n", qPrintable(png));
    ++gShots;
}

// Writes a buttons file for the player.
void writeButtons(const QString& path, const QString& buttons) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(buttons.toUtf8()) < 0)
        fail(QStringLiteral("cannot write ") + path);
}

// Records a play into the project's plays as a test run records it (headless here), its
// clock starting at `clock` (seconds since 1970) so that the dates shown stay the same.
void recordPlay(const QString& luaplayer, const QString& workDir, const RecordingStore& store,
                const QString& buttons, int frames, qint64 clock) {
    const auto files = store.newRecordFiles(QDateTime::fromSecsSinceEpoch(clock));
    if (!files)
        fail(QStringLiteral("cannot make the plays folder"));
    const QString input = workDir + QStringLiteral("/boutons-partie");
    writeButtons(input, QStringLiteral("# horloge %1\n").arg(clock) + buttons);
    QProcess player;
    player.setWorkingDirectory(workDir);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(luaplayer, {QStringLiteral("--headless"), QStringLiteral("--frames"), QString::number(frames),
                             QStringLiteral("--buttons"), input, QStringLiteral("--record"), files->pad,
                             QStringLiteral("--screenshot"), files->screen, QStringLiteral("--state"),
                             files->state, QStringLiteral("index.lua")});
    if (!player.waitForFinished(60000) || !QFileInfo::exists(files->pad))
        fail(QStringLiteral("luaplayer recorded no play"));
}

// Saves the map of the editor through its main menu.
void saveMap(QWidget* editor) {
    click(editor, QStringLiteral("Command4"));
    click(editor, QStringLiteral("Command7"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4)
        fail(QStringLiteral("usage: quendal_shots SOURCE_DIR OUTPUT_DIR LUAPLAYER"));
    const QString source = QFile::decodeName(argv[1]);
    gOut = QFileInfo(QFile::decodeName(argv[2])).absoluteFilePath();
    const QString luaplayer = QFileInfo(QFile::decodeName(argv[3])).absoluteFilePath();
    QDir().mkpath(gOut);

    QTemporaryDir appDir;
    if (!appDir.isValid())
        fail(QStringLiteral("no temporary folder"));
    copyTree(source + QStringLiteral("/data"), appDir.path() + QStringLiteral("/data"));

    ScriptedDialogService dialogs;
    RecordingProcessService processes;
    RecordingDocumentService documents;
    AppServices services{dialogs, processes, documents};

    // Finalising plays the copied game in the real luaplayer.
    AppPaths paths = AppPaths::inPlace(appDir.path());
    paths.playerPath = luaplayer;
    MainWindow main(services, paths);
    main.setQuitAction([] {});
    main.start();
    if (!QTest::qWaitForWindowExposed(&main))
        fail(QStringLiteral("the main window does not show"));

    // 1. Start: the main window with the welcome window. The main window is made smaller
    // than its usual size so that the pictures hold little empty background.
    main.resize(760, 420);
    save(&main, QStringLiteral("accueil"));

    // 2. The creation window, filled in.
    click(child(main, QStringLiteral("Acc")), QStringLiteral("Command1"));
    QWidget* creation = child(main, QStringLiteral("nouvprojet"));
    need<QLineEdit>(creation, QStringLiteral("text1"))->setText(QStringLiteral("Aventure"));
    need<QLineEdit>(creation, QStringLiteral("Text2"))->setText(QStringLiteral("Camille"));
    save(frameOf(creation), QStringLiteral("creation"));
    click(creation, QStringLiteral("Command1"));
    if (!dialogs.shown.isEmpty())
        fail(QStringLiteral("creation said: ") + dialogs.shown.last().text);

    // 3. The whole screen after creation: control panel and map editor.
    main.resize(1020, 720);
    save(&main, QStringLiteral("apres-creation"));

    // 4. Two variables, from the control panel.
    QWidget* panel = main.controlPanel();
    click(panel, QStringLiteral("Command6"));
    QWidget* vars = child(main, QStringLiteral("var"));
    dialogs.promptAnswers << QStringLiteral("0") << QStringLiteral("non");
    click(vars, QStringLiteral("Command1"));
    click(vars, QStringLiteral("Command1"));
    save(frameOf(vars), QStringLiteral("variables"));
    frameOf(vars)->close();
    settle();

    // 5. Painting the map, with the tools: drags, a rectangle of water, fills of collisions.
    QWidget* editor = child(main, QStringLiteral("mapeditor"));
    main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frameOf(editor)));
    QWidget* canvas = need<QWidget>(editor, QStringLiteral("CarteImg"));
    need<QLineEdit>(editor, QStringLiteral("text1"))->setText(QStringLiteral("La clairière"));
    chooseTile(editor, 7); // tree: code 6
    chooseTool(editor, "toolPencil");
    dragCells(canvas, {2, 2}, {2, 5});
    paintCells(editor, canvas, 7, {{3, 2}, {1, 3}, {1, 4}});
    chooseTile(editor, 6); // water: code 5
    chooseTool(editor, "toolRectangle");
    dragCells(canvas, {7, 13}, {8, 17});
    paintCells(editor, canvas, 6, {{8, 12}});
    chooseTile(editor, 8); // rock: code 7
    dragCells(canvas, {1, 14}, {1, 17});
    chooseTile(editor, 10); // fence: code 9
    chooseTool(editor, "toolPencil");
    dragCells(canvas, {4, 11}, {4, 15});
    paintCells(editor, canvas, 9, {{6, 3}, {5, 6}});                  // bush: code 8
    paintCells(editor, canvas, 3, row(4, 10, 10) + row(4, 16, 17));   // dirt path: code 2
    paintCells(editor, canvas, 2, {{2, 11}, {3, 6}, {6, 14}});        // flowers: code 1
    // Collisions: drags over the trees, the rocks and the fence, a fill over the water.
    byText<QRadioButton>(editor, QStringLiteral("Collisions"))->setChecked(true);
    dragCells(canvas, {2, 2}, {2, 5});
    dragCells(canvas, {1, 14}, {1, 17});
    dragCells(canvas, {4, 11}, {4, 15});
    for (const QPoint& rc : QList<QPoint>{{3, 2}, {1, 3}, {1, 4}, {6, 3}, {5, 6}})
        pressCell(canvas, rc.x(), rc.y());
    chooseTool(editor, "toolFill");
    pressCell(canvas, 8, 15);
    chooseTool(editor, "toolPencil");
    // The hero starts on the path, row 3, column 9.
    click(editor, QStringLiteral("Command9"));
    pressCell(canvas, 3, 9);
    chooseTile(editor, 7);
    hover(canvas, 4, 13);
    save(frameOf(editor), QStringLiteral("editeur-carte"));

    // 6. The texture set chooser, on set 03.
    click(editor, QStringLiteral("Command11"));
    need<QScrollBar>(editor, QStringLiteral("HScroll2"))->setValue(3);
    save(frameOf(editor), QStringLiteral("textures"));
    click(editor, QStringLiteral("Command11"));

    // 7. The main menu of the editor, then the save.
    click(editor, QStringLiteral("Command4"));
    save(frameOf(editor), QStringLiteral("menu-principal"));
    click(editor, QStringLiteral("Command7"));

    // 8. The event editor on row 5, column 9, opened by a double click in event mode.
    byText<QRadioButton>(editor, QStringLiteral("Evènement"))->setChecked(true);
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, cellCentre(5, 9));
    settle();
    QWidget* events = child(main, QStringLiteral("eveditor"));
    dialogs.promptAnswers
        << QStringLiteral("Bienvenue dans la clairière ! Le village est au nord : suivez le chemin.")
        << QStringLiteral("30") << QStringLiteral("oui");
    click(events, QStringLiteral("Command5"));    // Afficher du texte
    click(events, QStringLiteral("Command6"));    // Faire une pause
    click(events, QStringLiteral("Command13"));   // Faire une condition
    need<QComboBox>(events, QStringLiteral("Combo1"))->setCurrentIndex(1);
    need<QComboBox>(events, QStringLiteral("Combo2"))->setCurrentIndex(0);
    need<QLineEdit>(events, QStringLiteral("Text3"))->setText(QStringLiteral("non"));
    save(frameOf(events), QStringLiteral("editeur-evenement-condition"));
    click(events, QStringLiteral("Command14"));   // Ajouter
    click(events, QStringLiteral("Command2"));    // Changer la vie du héro
    byText<QRadioButton>(events, QStringLiteral("Ajouter :"))->setChecked(true);
    need<QLineEdit>(need<QWidget>(events, QStringLiteral("Frame3")), QStringLiteral("Text2"))
        ->setText(QStringLiteral("5"));
    click(events, QStringLiteral("Command10"));
    click(events, QStringLiteral("Command3"));    // Changer une variable
    auto* varList = need<QListWidget>(need<QWidget>(events, QStringLiteral("Frame1")),
                                      QStringLiteral("List1"));
    if (varList->count() < 2)
        fail(QStringLiteral("the event editor lists no variable"));
    emit varList->itemClicked(varList->item(1));
    settle(60);
    click(events, QStringLiteral("Command15"));   // Fermer condition
    save(frameOf(events), QStringLiteral("editeur-evenement"));
    click(events, QStringLiteral("Command7"));    // OK: writes the cell's script

    // 9. The event panel of the map editor on the same cell, with the map chooser open.
    main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frameOf(editor)));
    pressCell(canvas, 5, 9);
    click(editor, QStringLiteral("Command19"));
    save(frameOf(editor), QStringLiteral("panneau-evenement"));
    click(editor, QStringLiteral("Command19"));

    // 9b. The same editor at 2x, in a main window of a 1280 x 1024 screen: the window grows
    // around the enlarged map, which shows the cell's event and the cell being edited.
    main.resize(1280, 960);
    frameOf(editor)->move(0, 0);
    need<QAction>(editor, QStringLiteral("zoomIn"))->trigger();
    hover(canvas, 5, 9, 2);
    save(frameOf(editor), QStringLiteral("editeur-carte-zoom2"));
    need<QAction>(editor, QStringLiteral("zoomReset"))->trigger();
    main.resize(1020, 720);

    // 10. The control panel, read again, then the test run.
    main.showControlPanel();
    settle();
    save(frameOf(panel), QStringLiteral("panneau-de-controle"));
    dialogs.shown.clear();
    click(panel, QStringLiteral("Command4"));
    if (processes.started.isEmpty()) {
        const QString said = dialogs.shown.isEmpty() ? QString() : dialogs.shown.last().text;
        fail(QStringLiteral("Tester votre jeu started nothing. ") + said);
    }
    const RecordingProcessService::Start start = processes.started.last();

    // 11. The game: title screen; the map with the hero; the START menu, its cursor on the
    // music option; the dialog box of the event, two steps down the path from the hero's start.
    playGame(luaplayer, start, QString(), 30, QStringLiteral("jeu-titre"));
    playGame(luaplayer, start, QStringLiteral("5 cross\n8\n"), 40, QStringLiteral("jeu-carte"));
    playGame(luaplayer, start, QStringLiteral("5 cross\n8\n14 start\n16\n20 down\n22\n26 down\n28\n"), 40,
             QStringLiteral("jeu-menu"));
    playGame(luaplayer, start, QStringLiteral("5 cross\n8\n14 down\n40\n"), 70,
             QStringLiteral("jeu-dialogue"));

    // 12. The finalising window on a memory stick whose LuaPlayer is already installed, then
    // the copy, which must succeed.
    const QString stick = appDir.path() + QStringLiteral("/CLE_USB");
    const QString applications = stick + QStringLiteral("/PSP/GAME/luaplayer/Applications");
    QDir().mkpath(applications);
    need<QAction>(&main, QStringLiteral("finaliser"))->trigger();
    settle();
    auto* finalise = need<SendToPsp>(&main, QStringLiteral("sendtopsp"));
    finalise->setPlaces({{QStringLiteral("CLE_USB"), stick, true},
                         {QStringLiteral("Racine"), QStringLiteral("/"), false}});
    need<FolderList>(finalise, QStringLiteral("Dir1"))->setCurrentFolder(applications);
    need<QRadioButton>(finalise, QStringLiteral("Option1"))->setChecked(true);
    save(finalise, QStringLiteral("finaliser"));
    dialogs.shown.clear();
    QSignalSpy copied(finalise, &SendToPsp::copyFinished);
    click(finalise, QStringLiteral("Command1"));
    if (finalise->isCopying() && !copied.wait(60000))
        fail(QStringLiteral("the copy of the game does not end"));
    const QString said = dialogs.shown.isEmpty() ? QString() : dialogs.shown.last().text;
    if (!said.endsWith(QStringLiteral("il démarre sans erreur.")))
        fail(QStringLiteral("finalising said: ") + said);
    finalise->close();

    // 13. A live change: the game runs in a window at 60 frames a second (offscreen), live,
    // as "Tester votre jeu" starts it; bushes and flowers are painted above the hero and the
    // map saved while it runs. Then the menu "Jeu", which reads "Relancer le jeu" meanwhile.
    {
        const QString buttonFile = start.workingDirectory + QStringLiteral("/boutons-direct");
        writeButtons(buttonFile, QStringLiteral("5 cross\n8\n"));
        const QString png = gOut + QStringLiteral("/jeu-direct.png");
        QProcess live;
        live.setWorkingDirectory(start.workingDirectory);
        live.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        live.start(luaplayer, {QStringLiteral("--live"), QStringLiteral("--frames"), QStringLiteral("150"),
                               QStringLiteral("--buttons"), buttonFile, QStringLiteral("--screenshot"), png,
                               start.arguments.last()});
        if (!live.waitForStarted())
            fail(QStringLiteral("luaplayer does not start"));
        settle(1200);
        main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frameOf(editor)));
        paintCells(editor, canvas, 2, row(2, 8, 10));   // flowers: code 1
        paintCells(editor, canvas, 9, {{2, 7}, {2, 11}}); // bushes: code 8
        saveMap(editor);
        if (!live.waitForFinished(20000) || !QFileInfo::exists(png))
            fail(QStringLiteral("the live game wrote no picture"));
        std::printf("%s\n", qPrintable(png));
        ++gShots;
    }
    auto* gameMenu = need<QMenu>(&main, QStringLiteral("gameMenu"));
    gameMenu->popup(main.mapToGlobal(QPoint(80, 24)));
    save(gameMenu, QStringLiteral("menu-jeu"));
    gameMenu->hide();

    // 14. Three plays recorded as test runs record them; two kept as checks in "Parties
    // enregistrées".
    const RecordingStore store(main.session().folder());
    const qint64 day = QDateTime(QDate(2024, 5, 1), QTime(14, 0)).toSecsSinceEpoch();
    recordPlay(luaplayer, start.workingDirectory, store, QStringLiteral("5 cross\n8\n14 down\n40\n"), 70, day);
    recordPlay(luaplayer, start.workingDirectory, store, QStringLiteral("5 cross\n8\n14 right\n38\n"), 60,
               day + 600);
    recordPlay(luaplayer, start.workingDirectory, store,
               QStringLiteral("5 cross\n8\n14 left\n30\n40 down\n56\n70 right\n118\n130 up\n146\n"), 900,
               day + 1500);
    main.showPlays();
    QWidget* plays = child(main, QStringLiteral("parties"));
    auto* playList = need<QTreeView>(plays, QStringLiteral("listeParties"));
    const auto keep = [&](int row, const QString& name) {
        playList->setCurrentIndex(playList->model()->index(row, 0));
        dialogs.promptAnswers << name;
        click(plays, QStringLiteral("garder"));
    };
    keep(2, QStringLiteral("Le texte de bienvenue"));
    keep(1, QStringLiteral("Promenade vers l'est"));
    playList->setCurrentIndex(playList->model()->index(1, 0));
    frameOf(plays)->resize(640, 260);
    save(frameOf(plays), QStringLiteral("parties"));

    // 15. A collision put on the way east, the map saved, then "Vérifier le jeu": the walk
    // east now ends sooner, side by side with the kept end.
    main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frameOf(editor)));
    byText<QRadioButton>(editor, QStringLiteral("Collisions"))->setChecked(true);
    chooseTool(editor, "toolPencil");
    pressCell(canvas, 3, 11);
    saveMap(editor);
    // The verification starts the player of the application folder, as Quendal does.
    if (!QFile::link(luaplayer, appDir.path() + QStringLiteral("/luaplayer")))
        fail(QStringLiteral("cannot link luaplayer into the application folder"));
    processes.runForReal = true;
    main.resize(1100, 960);
    main.showVerification();
    auto* verification = qobject_cast<VerificationWindow*>(child(main, QStringLiteral("verification")));
    if (!verification)
        fail(QStringLiteral("no verification window"));
    for (int waited = 0; verification->runner().isRunning(); waited += 100) {
        if (waited > 60000)
            fail(QStringLiteral("the verification does not end"));
        settle(100);
    }
    const QList<CheckResult>& results = verification->runner().results();
    if (results.size() != 2 || results[0].outcome != CheckResult::Different ||
        results[1].outcome != CheckResult::Same)
        fail(QStringLiteral("the verification did not find the walk east changed, and only it"));
    frameOf(verification)->resize(1010, 620);
    save(frameOf(verification), QStringLiteral("verification"));
    processes.runForReal = false;

    // 16. The tiles of every texture set, twice their size, from the sets' tile sheets (tile
    // code k at x = 28 k): the guide shows them by code.
    for (int n = 1;; ++n) {
        const QString nn = n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
        const QString sheet = source + QStringLiteral("/data/images/terrains/terrain") + nn +
                              QStringLiteral("/terrain01.png");
        if (!QFileInfo::exists(sheet))
            break;
        const QImage tiles(sheet);
        const QString png = gOut + QStringLiteral("/tuiles-") + nn + QStringLiteral(".png");
        if (tiles.isNull() || !tiles.scaled(tiles.size() * 2).save(png))
            fail(QStringLiteral("cannot make ") + png);
        std::printf("%s\n", qPrintable(png));
        ++gShots;
    }

    std::printf("%d pictures\n", gShots);
    return 0;
}
