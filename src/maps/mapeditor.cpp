#include "mapeditor.h"

#include "events/commandpanels.h"
#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "events/scriptlist.h"
#include "maps/mapcanvas.h"
#include "maps/mapfiles.h"
#include "maps/texturechooser.h"
#include "project/module1.h"
#include "project/paths.h"
#include "shell/appinfo.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <span>

namespace {

// The area below the menu bar: canvas, configuration frame and event panel.
constexpr int kBodyWidth = 697;
constexpr int kPanelTop = 248;
constexpr int kPanelHeight = 300;

// Element k of the option array "Option1", numbered as the command panels do.
QRadioButton* option(QWidget* parent, int index, const QString& caption, int x, int y,
                     int width) {
    auto* b = indexedOption(parent, QStringLiteral("Option1"), index, caption);
    b->setGeometry(x, y, width, 17);
    return b;
}

// Captions that the laid-out widths hold only in a slightly smaller font.
void smaller(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        QFont f = w->font();
        f.setPixelSize(10);
        w->setFont(f);
    }
}

void toggleFrame(QWidget* frame) {
    frame->setVisible(frame->isHidden());
    frame->raise();
}

} // namespace

MapEditor::MapEditor(AppServices& services, std::function<QString()> currentProject,
                     QWidget* parent)
    : QWidget(parent), mServices(services), mCurrentProject(std::move(currentProject)) {
    setObjectName(QStringLiteral("mapeditor"));
    setWindowTitle(QStringLiteral("Editeur de carte"));
    // Positions are pixels as laid out for the editor; a small font keeps captions inside.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    // The canvas takes (0, 0) to (481, 249) of the body and the event panel the area from
    // (0, 248); the window is sized so that it fits beside the control panel on a 1280-pixel
    // screen.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("body"));
    body->setFixedSize(kBodyWidth, kPanelTop + kPanelHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(body);

    mCanvas = new MapCanvas(mServices.appDir, body);
    mCanvas->move(0, 0);
    mCanvas->installEventFilter(this);
    connect(mCanvas, &MapCanvas::pressed, this, &MapEditor::canvasPressed);

    buildConfiguration(body);
    buildEventPanel(body);
    buildMenus(body);

    // Keyboard: Ctrl+S saves the map while the editor has the focus.
    auto* save = new QShortcut(QKeySequence::Save, this, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(save, &QShortcut::activated, this, &MapEditor::savemap);
}

void MapEditor::buildConfiguration(QWidget* body) {
    mFrame2 = frame(body, "Frame2", QStringLiteral("Configuration"), 488, 24,
                    201, 225);
    auto* label6 = label(mFrame2, "Label6", QStringLiteral("Position de départ du héro"), 8, 16, 141);
    label(mFrame2, "Label9", QStringLiteral("X :"), 8, 40, 16);
    mLabel4 = label(mFrame2, "Label4", QStringLiteral("1"), 24, 40, 25);
    mLabel4->setAccessibleDescription(QStringLiteral("Colonne de départ du héro"));
    mCommand9 = button(mFrame2, "Command9", QStringLiteral("Changer"), 56, 40, 57, 25);
    mCommand9->setProperty("Tag", QStringLiteral("false"));
    label(mFrame2, "Label10", QStringLiteral("Y :"), 8, 56, 16);
    mLabel5 = label(mFrame2, "Label5", QStringLiteral("1"), 24, 56, 33);
    mLabel5->setAccessibleDescription(QStringLiteral("Ligne de départ du héro"));
    auto* label7 = label(mFrame2, "Label7", QStringLiteral("Nom de la carte :"), 8, 74, 88);
    mText1 = place(new QLineEdit(QStringLiteral("Carte"), mFrame2), "text1", 96, 72, 97, 19);
    mText1->setAccessibleName(QStringLiteral("Nom de la carte"));

    // The tile picker's frame "Déssin" lies under the drawing option, whose caption covers the
    // frame's own.
    auto currentProject = mCurrentProject;
    auto selectedMap = [this] { return mapNumber(); };
    mPicker = new TilePicker(mServices, currentProject, selectedMap, mFrame2);
    mPicker->setGeometry(24, 96, 121, 46);
    mPicker->layout()->setContentsMargins(4, 0, 4, 2);
    mModes = new QButtonGroup(this);
    mModes->addButton(option(mFrame2, Drawing, QStringLiteral("Déssin"), 8, 94, 57), Drawing);
    mModes->addButton(option(mFrame2, Collisions, QStringLiteral("Collisions"), 8, 144, 73),
                      Collisions);
    mModes->addButton(option(mFrame2, Event, QStringLiteral("Evènement"), 8, 160, 81), Event);
    mModes->button(Drawing)->setChecked(true);
    mModes->button(Drawing)->setAutoFillBackground(true);
    mModes->button(Drawing)->raise();

    auto* command11 =
        button(mFrame2, "Command11", QStringLiteral("Changer de texture"), 8, 182, 137, 19);
    auto* command10 =
        button(mFrame2, "Command10", QStringLiteral("Remettre la carte à zéro"), 8, 202, 137, 19);

    // The set chooser opens over the right of the canvas, below the main menu.
    mTextures = new TextureChooser(mServices, currentProject, selectedMap, body);
    mTextures->setGeometry(320, 100, 161, 110);
    mTextures->resize(mTextures->size().expandedTo(mTextures->minimumSizeHint()));
    mTextures->setAutoFillBackground(true);

    smaller({label6, label7, command10, command11});

    connect(mCommand9, &QPushButton::clicked, this, &MapEditor::armHeroStart);
    connect(mPicker, &TilePicker::drawingChosen, this,
            [this] { mModes->button(Drawing)->setChecked(true); });
    connect(command11, &QPushButton::clicked, this, [this] {
        mTextures->toggle();
        mTextures->raise();
    });
    connect(mTextures, &TextureChooser::textureApplied, this, [this] {
        drawmap();
        mPicker->refresh();
    });
    connect(command10, &QPushButton::clicked, this, &MapEditor::resetMap);
}

void MapEditor::buildMenus(QWidget* body) {
    auto* command4 = button(body, "Command4", QStringLiteral("Menu principal"), 480, 0, 161, 25);

    mFrame3 = frame(body, "Frame3", QStringLiteral("Menu principal"), 320, 0,
                    161, 97);
    mFrame3->setAutoFillBackground(true);
    auto* command5 = button(mFrame3, "Command5", QStringLiteral("Nouvelle carte"), 8, 16, 145, 24);
    auto* command6 = button(mFrame3, "Command6", QStringLiteral("Charger carte"), 8, 40, 145, 24);
    auto* command7 =
        button(mFrame3, "Command7", QStringLiteral("Sauvegarder la carte"), 8, 64, 145, 24);
    mFrame3->hide();

    mFrame1 = frame(body, "Frame1", QStringLiteral("Charger une carte"), 160, 40,
                    161, 57);
    mFrame1->setAutoFillBackground(true);
    smaller({label(mFrame1, "Label2", QStringLiteral("Carte n° :"), 8, 16, 48)});
    mLabel1 = label(mFrame1, "Label1", QStringLiteral("01"), 56, 16, 24);
    mLabel1->setAccessibleDescription(QStringLiteral("Numéro de la carte à charger"));
    mHScroll1 = place(new QScrollBar(Qt::Horizontal, mFrame1), "HScroll1", 80, 16, 49, 17);
    mHScroll1->setAccessibleName(QStringLiteral("Carte à charger"));
    mHScroll1->setFocusPolicy(Qt::StrongFocus);
    mHScroll1->setRange(1, 1);
    mHScroll1->setValue(1);
    mLabel3 = label(mFrame1, "Label3", QStringLiteral("Sans nom"), 8, 32, 118);
    mLabel3->setAccessibleDescription(QStringLiteral("Nom de la carte à charger"));
    auto* command1 = button(mFrame1, "Command1", QStringLiteral("OK"), 128, 32, 29, 21);
    mFrame1->hide();

    connect(command4, &QPushButton::clicked, this, [this] { toggleFrame(mFrame3); });
    connect(command6, &QPushButton::clicked, this, [this] {
        refreshMapChooser();
        toggleFrame(mFrame1);
    });
    connect(mHScroll1, &QScrollBar::valueChanged, this, &MapEditor::mapChosen);
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
    layout()->setMenuBar(bar);
    connect(newca, &QAction::triggered, this, &MapEditor::newMap);
    connect(exit, &QAction::triggered, this, &MapEditor::closeWindow);
}

void MapEditor::buildEventPanel(QWidget* body) {
    auto* frame6 = frame(body, "Frame6", QStringLiteral("Evènement"), 0,
                         kPanelTop, kBodyWidth, kPanelHeight);
    label(frame6, "Label8", QStringLiteral("Position :"), 8, 18, 56);
    mColumn = label(frame6, "co", QStringLiteral("0"), 64, 18, 20);
    mColumn->setAccessibleDescription(QStringLiteral("Colonne de la case"));
    mRow = label(frame6, "ln", QStringLiteral("0"), 86, 18, 24);
    mRow->setAccessibleDescription(QStringLiteral("Ligne de la case"));

    // The command column, in the order of the event editor.
    struct Command {
        const char* name;
        QString caption;
        int y;
    };
    const Command commands[] = {
        {"Command19", QStringLiteral("Changer de carte"), 40},
        {"Command18", QStringLiteral("Changer une variable"), 64},
        {"Command17", QStringLiteral("Changer la vie du héro"), 88},
        {"Command16", QStringLiteral("Démarrer un combat"), 112},
        {"Command12", QStringLiteral("Faire une pause"), 136},
        {"Command8", QStringLiteral("Afficher du texte"), 160},
        {"Command13", QStringLiteral("Faire une condition"), 184},
        {"Command15", QStringLiteral("Fermer condition"), 208},
        {"Command20", QStringLiteral("Supprimer une ligne"), 240},
    };
    QHash<QString, QPushButton*> buttons;
    for (const Command& c : commands) {
        auto* b = button(frame6, c.name, c.caption, 8, c.y, 121, 23);
        smaller({b});
        buttons.insert(QLatin1String(c.name), b);
    }

    mListev = place(new ScriptList(mServices.dialogs, [this] { return deleteMode(); }, frame6),
                    "listev", 368, 16, 321, 225);
    auto* command2 = button(frame6, "Command2", QStringLiteral("Sauver"), 560, 252, 129, 33);

    // Sub-panels between the command column and the list; the one opened last is on top.
    const CommandPanelNames names = CommandPanelNames::mapEditorPanel();
    mMapChange = new MapChooserPanel(mServices, mCurrentProject, names.mapChooser, frame6);
    mMapChange->placeAt({136, 40, 161, 57});
    mVariables = new VariablesPanel(mServices, mCurrentProject, names.variables, frame6);
    mVariables->setMinimumSize(225, 137); // kept clear of the list
    mVariables->placeAt({136, 64, 225, 137});
    mLife = new LifePanel(mServices, mCurrentProject, names.life, frame6);
    mLife->placeAt({136, 88, 161, 73});
    mConditions = new ConditionsPanel(mServices, mCurrentProject, names.conditions, frame6);
    mConditions->placeAt({136, 184, 225, 73});
    for (CommandPanel* panel :
         std::initializer_list<CommandPanel*>{mMapChange, mVariables, mLife, mConditions})
        connect(panel, &CommandPanel::lineReady, mListev, &ScriptList::appendLine);

    // Delete mode: shown beside "Supprimer une ligne" while a click on a line removes it.
    mDeleteFrame = frame(frame6, "Frame11", QStringLiteral("Choisir une ligne"),
                         136, 226, 161, 45);
    mDeleteFrame->setAutoFillBackground(true);
    auto* leave = button(mDeleteFrame, "Command23", QStringLiteral("Annuler"), 8, 16, 97, 23);
    mDeleteFrame->hide();

    connect(buttons["Command19"], &QPushButton::clicked, this, &MapEditor::toggleMapChange);
    connect(buttons["Command18"], &QPushButton::clicked, this, [this] {
        mVariables->toggle();
        showAlone(mVariables);
    });
    connect(buttons["Command17"], &QPushButton::clicked, this, [this] {
        mLife->toggle();
        showAlone(mLife);
    });
    // "Démarrer un combat" has no action: fights are not part of the games made here yet.
    connect(buttons["Command12"], &QPushButton::clicked, this, [this] {
        if (const auto line = promptcommands::pauseLine(mServices.dialogs, this))
            mListev->appendLine(*line);
    });
    connect(buttons["Command8"], &QPushButton::clicked, this,
            [this] { mListev->appendLine(promptcommands::textLine(mServices.dialogs, this)); });
    connect(buttons["Command13"], &QPushButton::clicked, this, [this] {
        mConditions->toggle();
        showAlone(mConditions);
    });
    connect(buttons["Command15"], &QPushButton::clicked, this,
            [this] { mListev->appendLine(closeConditionLine()); });
    connect(buttons["Command20"], &QPushButton::clicked, this, [this] {
        mDeleteFrame->show();
        mDeleteFrame->raise();
    });
    connect(leave, &QPushButton::clicked, mDeleteFrame, &QWidget::hide);
    connect(command2, &QPushButton::clicked, this, &MapEditor::saveEvent);
}

QString MapEditor::mapNumber() const { return mLabel1->text(); }

void MapEditor::setMapNumber(const QString& nn) { mLabel1->setText(nn); }

MapEditor::Mode MapEditor::mode() const { return Mode(mModes->checkedId()); }

QStringList MapEditor::eventLines() const { return mListev->lines(); }

QString MapEditor::eventScriptFile() const {
    if (mEventMap.isEmpty())
        return QString();
    return eventScriptPath(mServices.appDir, mCurrentProject(), mEventMap, mRow->text(),
                           mColumn->text());
}

bool MapEditor::deleteMode() const { return !mDeleteFrame->isHidden(); }

QString MapEditor::projectDir() const {
    return projectFolder(mServices.appDir, mCurrentProject());
}

void MapEditor::showError(const QString& text) {
    mServices.dialogs.message(this, text, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}

void MapEditor::startup() {
    if (mapCount(projectDir()) == 0) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                           "créée"),
            AppTitle, MsgIcon::None, MsgButtons::Ok);
        newMap();
    }
    mFrame3->hide();
    mFrame1->hide();
}

void MapEditor::loadmap() {
    mFrame3->hide();
    mFrame1->hide();
    const QString nn = mapNumber();
    const MapLoad load = loadMap(mState, projectDir(), nn);
    mText1->setText(load.name);
    mLabel4->setText(load.heroX);
    mLabel5->setText(load.heroY);
    mTag = nn;
    mCellsAreThisMap = load.valid;

    // The map chooser starts from the map shown; the tile picker reaches all its tiles.
    refreshMapChooser();
    if (const auto n = wholeNumber(nn)) {
        const QSignalBlocker block(mHScroll1);
        mHScroll1->setValue(*n);
    }
    mLabel3->setText(load.name);
    mPicker->refresh();
    if (!mPreviewsShown) {
        mPreviewsShown = true;
        const QString set = readini(QStringLiteral("Carte") + nn, QStringLiteral("texture"),
                                    projectIni(mServices.appDir, mCurrentProject()));
        mTextures->showSet(wholeNumber(set).value_or(1));
    }

    if (!load.valid) {
        showError(QStringLiteral("Erreur : carte invalide"));
        return;
    }
    drawmap();
    emit mapChanged();
}

void MapEditor::savemap() {
    mFrame3->hide();
    const QString error = saveMap(mState, mCellsAreThisMap, projectDir(), mTag, mText1->text(),
                                  mLabel4->text(), mLabel5->text());
    if (!error.isEmpty())
        showError(error);
}

void MapEditor::newMap() {
    mFrame3->hide();
    const NewMap added = addNewMap(mServices.appDir, projectDir());
    if (!added.error.isEmpty()) {
        showError(added.error);
        return;
    }
    setMapNumber(added.nn);
    loadmap();
}

void MapEditor::resetMap() {
    const MsgAnswer answer = mServices.dialogs.message(
        this, QStringLiteral("Êtes-vous sûr de vouloir remettre la carte à zéro ?"), AppTitle,
        MsgIcon::None, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    mState.reset();
    // The cleared grid is this map's own content from now on.
    mCellsAreThisMap = true;
    drawmap();
    emit mapChanged();
}

void MapEditor::drawmap() {
    const QString set = readini(QStringLiteral("Carte") + mapNumber(), QStringLiteral("texture"),
                                projectIni(mServices.appDir, mCurrentProject()));
    mCanvas->paintMap(std::span<const QString>(mState.maptiles),
                      std::span<const QString>(mState.mapcoll), set);
}

// ---- Canvas

void MapEditor::armHeroStart() {
    mServices.dialogs.message(
        this,
        QStringLiteral("Cliquez sur la case correspondante à la position de départ du héro sur "
                       "cette carte"),
        AppTitle, MsgIcon::None, MsgButtons::Ok);
    mCommand9->setProperty("Tag", QStringLiteral("True"));
}

void MapEditor::canvasPressed(QPoint position) {
    if (const auto cell = mapgrid::cellAt(position)) {
        if (mCommand9->property("Tag").toString() == QLatin1String("True")) {
            mLabel4->setText(QString::number(cell->column));
            mLabel5->setText(QString::number(cell->row));
            mCommand9->setProperty("Tag", QStringLiteral("False"));
            return;
        }
        switch (mode()) {
        case Drawing:
            if (mTag.isEmpty())
                return; // no map loaded yet
            mState.maptiles[cell->slot] = mPicker->tileCode();
            break;
        case Event:
            chooseCell(cell->row, cell->column);
            break;
        case Collisions: {
            QString& flag = mState.mapcoll[cell->slot];
            flag = flag == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
            break;
        }
        }
    }
    drawmap();
}

bool MapEditor::eventFilter(QObject* watched, QEvent* event) {
    // A double click on a cell in event mode opens the event editor on it, after acting as
    // the press it also is.
    if (watched == mCanvas && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        canvasPressed(position);
        const auto cell = mapgrid::cellAt(position);
        if (cell && mode() == Event && !mTag.isEmpty())
            emit eventEditorRequested(mTag, cell->row, cell->column);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Map chooser

void MapEditor::refreshMapChooser() {
    // A count that is no whole number above 0 keeps the range the chooser had.
    if (const auto count = mapCount(projectDir()); count && *count >= 1) {
        const QSignalBlocker block(mHScroll1);
        mHScroll1->setMaximum(*count);
    }
}

void MapEditor::mapChosen(int value) {
    refreshMapChooser();
    value = mHScroll1->value();
    const QString mm = mapNumberText(value);
    mLabel3->setText(readini(QStringLiteral("carte") + mm, QStringLiteral("nom"),
                             projectIni(mServices.appDir, mCurrentProject())));
    setMapNumber(mm);
    // The canvas and the tile picker use the set of the map shown in the chooser.
    drawmap();
    mPicker->refresh();
}

// ---- Event panel

void MapEditor::chooseCell(int row, int column) {
    mRow->setText(QString::number(row));
    mColumn->setText(QString::number(column));
    mEventMap = mTag;
    mListev->setLines(loadevent(eventScriptFile()));
}

void MapEditor::eventScriptSaved(const QString& mapNumber, int row, int column) {
    if (mapNumber == mEventMap && mRow->text() == QString::number(row) &&
        mColumn->text() == QString::number(column)) {
        mListev->setLines(loadevent(eventScriptFile()));
    }
}

void MapEditor::toggleMapChange() {
    if (mMapChange->toggle(mTag)) {
        showAlone(mMapChange);
        return;
    }
    // The map count is unreadable: the chooser stays closed and the program goes on.
    mServices.dialogs.message(
        this,
        QStringLiteral("Erreur : Fichier projet.ini corrompus ou introuvable, veuillez reporter "
                       "ce bug sur ") +
            SupportSite,
        QStringLiteral("Erreur"), MsgIcon::Critical, MsgButtons::Ok);
}

void MapEditor::showAlone(QWidget* panel) {
    if (panel->isHidden())
        return;
    // The sub-panels share the space between the buttons and the list: one at a time.
    for (QWidget* other : std::initializer_list<QWidget*>{mMapChange, mVariables, mLife,
                                                          mConditions})
        if (other != panel)
            other->hide();
    panel->raise();
}

void MapEditor::saveEvent() {
    const QString path = eventScriptFile();
    if (path.isEmpty()) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Choisissez d'abord une case de la carte en mode « Evènement »."),
            AppTitle, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    if (!saveevent(eventLines(), path))
        showError(scriptSaveFailure(path));
}

void MapEditor::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}
