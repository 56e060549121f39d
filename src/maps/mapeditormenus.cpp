// The map editor's menus and the frames its buttons open: the main menu, the map chooser,
// and the window's own menu bar with Fichier, Edition, Outils and Affichage.
#include "events/eventcommandcolumn.h"
#include "maps/canvasview.h"
#include "maps/mapcanvas.h"
#include "maps/mapeditor.h"
#include "maps/painttools.h"
#include "maps/tilepalette.h"
#include "shell/placement.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QUndoStack>

namespace {

void toggleFrame(QWidget* frame) {
    frame->setVisible(frame->isHidden());
    frame->raise();
}

// Captions that the laid-out widths hold only in a slightly smaller font.
void smaller(QWidget* w) {
    QFont f = w->font();
    f.setPixelSize(10);
    w->setFont(f);
}

} // namespace

void MapEditor::buildMenus(QWidget* column, QWidget* body) {
    auto* command4 = button(column, "Command4", QStringLiteral("Menu principal"), 0, 0, 161, 25);

    mMainMenu = frame(body, "Frame3", QStringLiteral("Menu principal"), 320, 0, 161, 97);
    mMainMenu->setAutoFillBackground(true);
    auto* command5 =
        button(mMainMenu, "Command5", QStringLiteral("Nouvelle carte"), 8, 16, 145, 24);
    auto* command6 = button(mMainMenu, "Command6", QStringLiteral("Charger carte"), 8, 40, 145, 24);
    auto* command7 =
        button(mMainMenu, "Command7", QStringLiteral("Sauvegarder la carte"), 8, 64, 145, 24);
    mMainMenu->hide();

    mMapChooser = frame(body, "Frame1", QStringLiteral("Charger une carte"), 160, 40, 161, 57);
    mMapChooser->setAutoFillBackground(true);
    smaller(label(mMapChooser, "Label2", QStringLiteral("Carte n° :"), 8, 16, 48));
    mChosenNumber = label(mMapChooser, "Label1", QStringLiteral("01"), 56, 16, 24);
    mChosenNumber->setAccessibleDescription(QStringLiteral("Numéro de la carte à charger"));
    mChooserScroll = place(new QScrollBar(Qt::Horizontal, mMapChooser), "HScroll1", 80, 16, 49, 17);
    mChooserScroll->setAccessibleName(QStringLiteral("Carte à charger"));
    mChooserScroll->setFocusPolicy(Qt::StrongFocus);
    mChooserScroll->setRange(1, 1);
    mChooserScroll->setValue(1);
    mChosenName = label(mMapChooser, "Label3", QStringLiteral("Sans nom"), 8, 32, 118);
    mChosenName->setAccessibleDescription(QStringLiteral("Nom de la carte à charger"));
    auto* command1 = button(mMapChooser, "Command1", QStringLiteral("OK"), 128, 32, 29, 21);
    mMapChooser->hide();

    connect(command4, &QPushButton::clicked, this, [this] { toggleFrame(mMainMenu); });
    connect(command6, &QPushButton::clicked, this, [this] {
        refreshMapChooser();
        toggleFrame(mMapChooser);
    });
    connect(mChooserScroll, &QScrollBar::valueChanged, this, &MapEditor::chooserMoved);
    connect(command1, &QPushButton::clicked, this, &MapEditor::loadmap);
    connect(command5, &QPushButton::clicked, this, &MapEditor::newMap);
    connect(command7, &QPushButton::clicked, this, &MapEditor::savemap);

    // The window's own menu.
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    QAction* newca = file->addAction(QStringLiteral("Nouvelle Carte"));
    newca->setObjectName(QStringLiteral("newca"));
    QAction* exit = file->addAction(QStringLiteral("Sortir"));
    exit->setObjectName(QStringLiteral("exit"));
    connect(newca, &QAction::triggered, this, &MapEditor::newMap);
    connect(exit, &QAction::triggered, this, &MapEditor::closeWindow);
    buildEditMenu(bar);
    buildToolMenus(bar);
}

void MapEditor::buildEditMenu(QMenuBar* bar) {
    // Undo and redo follow the part of the window last worked on: the map, or the panel's
    // event script. A map's stack is shared by every window showing the map.
    QMenu* edit = bar->addMenu(QStringLiteral("&Edition"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->menuAction()->setObjectName(QStringLiteral("edit"));
    mUndo = edit->addAction(QStringLiteral("Annuler"));
    mUndo->setObjectName(QStringLiteral("undo"));
    mUndo->setShortcut(QKeySequence::Undo);
    mRedo = edit->addAction(QStringLiteral("Rétablir"));
    mRedo->setObjectName(QStringLiteral("redo"));
    mRedo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")),
                         QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    for (QAction* a : {mUndo, mRedo})
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addActions({mUndo, mRedo});
    // The event panel's lines; their keys act in the panel.
    edit->addSeparator();
    edit->addActions({mCommands->lineUpAction(), mCommands->lineDownAction(),
                      mCommands->editLineAction()});
    connect(mUndo, &QAction::triggered, this, [this] {
        if (mActiveStack)
            mActiveStack->undo();
    });
    connect(mRedo, &QAction::triggered, this, [this] {
        if (mActiveStack)
            mActiveStack->redo();
    });
}

void MapEditor::setActiveStack(QUndoStack* stack) {
    if (mActiveStack == stack)
        return;
    if (mActiveStack)
        mActiveStack->disconnect(this);
    mActiveStack = stack;
    const auto showUndo = [this] {
        mUndo->setEnabled(mActiveStack && mActiveStack->canUndo());
        mUndo->setToolTip(mActiveStack ? QStringLiteral("Annuler : ") + mActiveStack->undoText()
                                       : QString());
    };
    const auto showRedo = [this] {
        mRedo->setEnabled(mActiveStack && mActiveStack->canRedo());
        mRedo->setToolTip(mActiveStack ? QStringLiteral("Rétablir : ") + mActiveStack->redoText()
                                       : QString());
    };
    if (stack) {
        connect(stack, &QUndoStack::indexChanged, this, showUndo);
        connect(stack, &QUndoStack::indexChanged, this, showRedo);
        connect(stack, &QUndoStack::canUndoChanged, this, showUndo);
        connect(stack, &QUndoStack::canRedoChanged, this, showRedo);
    }
    showUndo();
    showRedo();
}

void MapEditor::buildToolMenus(QMenuBar* bar) {
    // Every tool, mode and view change has a key, shown in the menus and the tool tips; the
    // keys act while the window has the focus, except in a text field.
    QMenu* tools = bar->addMenu(QStringLiteral("&Outils"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    for (PaintTools::Kind kind : {PaintTools::Pencil, PaintTools::Rectangle, PaintTools::Fill})
        tools->addAction(mTools->action(kind));
    tools->addSeparator();
    auto* modes = new QActionGroup(this);
    const struct {
        Mode mode;
        const char* name;
        QString text;
        const char* key;
    } modeLooks[] = {{Drawing, "modeDrawing", QStringLiteral("Mode Déssin"), "D"},
                     {Collisions, "modeCollisions", QStringLiteral("Mode Collisions"), "C"},
                     {Event, "modeEvent", QStringLiteral("Mode Evènement"), "E"}};
    for (const auto& look : modeLooks) {
        QAction* action = tools->addAction(look.text);
        action->setObjectName(QLatin1String(look.name));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QLatin1String(look.key)));
        modes->addAction(action);
        mModeActions[look.mode] = action;
        connect(action, &QAction::triggered, this, [this, mode = look.mode] { setMode(mode); });
    }
    mModeActions[Drawing]->setChecked(true);
    connect(mModes, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id >= Drawing && id <= Event)
            mModeActions[id]->setChecked(true);
    });
    tools->addSeparator();
    QAction* palette = tools->addAction(QStringLiteral("Choisir une tuile"));
    palette->setObjectName(QStringLiteral("chooseTile"));
    palette->setShortcut(QKeySequence(QStringLiteral("T")));
    connect(palette, &QAction::triggered, mPalette, [this] { mPalette->setFocus(); });
    QAction* canvas = tools->addAction(QStringLiteral("Aller sur la carte"));
    canvas->setObjectName(QStringLiteral("focusCanvas"));
    canvas->setShortcut(QKeySequence(QStringLiteral("M")));
    connect(canvas, &QAction::triggered, mCanvas, [this] { mCanvas->setFocus(); });
    QAction* hero = tools->addAction(QStringLiteral("Placer le départ du héro"));
    hero->setObjectName(QStringLiteral("placeHero"));
    hero->setShortcut(QKeySequence(QStringLiteral("H")));
    connect(hero, &QAction::triggered, mHeroStartButton, &QPushButton::click);

    QMenu* view = bar->addMenu(QStringLiteral("&Affichage"));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addAction(mView->gridAction());
    view->addSeparator();
    view->addActions({mView->zoomInAction(), mView->zoomOutAction(), mView->zoomResetAction()});

    QList<QAction*> all = tools->actions() + view->actions();
    for (QAction* a : all)
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addActions(all);
}
