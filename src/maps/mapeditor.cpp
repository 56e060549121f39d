#include "maps/mapeditor.h"

#include "events/eventcommandcolumn.h"
#include "events/eventscript.h"
#include "events/scriptdocument.h"
#include "events/scriptlist.h"
#include "maps/canvasview.h"
#include "maps/mapcanvas.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "maps/paintbar.h"
#include "maps/painttools.h"
#include "maps/texturechooser.h"
#include "maps/tilepalette.h"
#include "project/module1.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/asktosave.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// The window's parts at 1x: the canvas area and, right of it, the column of the main menu
// button and the configuration frame; then the tool row, the event panel and the status line.
constexpr int kColumnWidth = 216;
constexpr int kBodyWidth = mapgrid::kCanvasWidth + kColumnWidth;
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

// What the status line says of a cell: its place, its tile code and what else it holds.
QString cellStatus(const MapCells& cells, mapgrid::Cell cell, bool scripted, bool heroStart) {
    const int slot = cell.slot();
    QStringList parts{QStringLiteral("Colonne : %1").arg(cell.column),
                      QStringLiteral("Ligne : %1").arg(cell.row),
                      QStringLiteral("Code : ") + cells.maptiles[size_t(slot)]};
    if (cells.mapcoll[size_t(slot)] == QLatin1String("1"))
        parts << QStringLiteral("Collision");
    if (heroStart)
        parts << QStringLiteral("Départ du héro");
    if (scripted)
        parts << QStringLiteral("Evènement");
    return parts.join(QStringLiteral("     "));
}

} // namespace

MapEditor::MapEditor(AppServices& services, ProjectSession& session, QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session),
      mScript(new ScriptDocument(session, this)) {
    setObjectName(QStringLiteral("mapeditor"));
    setWindowTitle(QStringLiteral("Editeur de carte[*]"));
    // Positions are pixels as laid out for the editor; a small font keeps captions inside.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    const QString dataDir = session.paths().dataDir;

    // The canvas area takes the top left and whatever room the window gains; the column of
    // the main menu button and the configuration frame stays at its right, the tool row, the
    // event panel and the status line below.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("body"));
    mCanvas = new MapCanvas(dataDir);
    mView = new CanvasView(mCanvas, body);
    mTools = new PaintTools(this);
    auto* column = new QWidget(body);
    column->setObjectName(QStringLiteral("configurationColumn"));
    column->setFixedSize(kColumnWidth, mapgrid::kCanvasHeight);
    mPalette = new TilePalette(dataDir);
    auto* paintBar = new PaintBar(*mTools, mPalette, *mView, body);
    mStatus = new QLabel(body);
    mStatus->setObjectName(QStringLiteral("statusLine"));
    mStatus->setAccessibleDescription(QStringLiteral("Case sous la souris"));
    mStatus->setContentsMargins(6, 2, 6, 2);
    mStatus->setMinimumHeight(19);

    buildConfiguration(column, body);
    buildEventPanel(body);
    buildMenus(column, body);

    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(mView, 0, 0);
    grid->addWidget(column, 0, 1, Qt::AlignTop);
    grid->addWidget(paintBar, 1, 0, 1, 2);
    grid->addWidget(findChild<QWidget*>(QStringLiteral("Frame6")), 2, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(mStatus, 3, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body);
    layout->setMenuBar(findChild<QMenuBar*>(QStringLiteral("menuBar")));
    mView->installEventFilter(this);
    // Over the canvas area: the frames that open on it.
    for (const char* name : {"Frame3", "Frame1", "Frame4"})
        body->findChild<QWidget*>(QLatin1String(name))->raise();

    connect(mCanvas, &MapCanvas::pressed, this, &MapEditor::canvasPressed);
    connect(mCanvas, &MapCanvas::moved, this, &MapEditor::canvasMoved);
    connect(mCanvas, &MapCanvas::released, this, &MapEditor::canvasReleased);
    connect(mCanvas, &MapCanvas::doubleClicked, this, &MapEditor::canvasDoubleClicked);
    connect(mCanvas, &MapCanvas::cancelRequested, mTools, &PaintTools::cancel);
    connect(mCanvas, &MapCanvas::pointerCellChanged, this, &MapEditor::showStatus);
    connect(mTools, &PaintTools::gestureChanged, mCanvas, &MapCanvas::setGesture);

    // The palette and the tile picker show the same tile; either one chooses it.
    connect(mPalette, &TilePalette::tileChosen, mPicker, &TilePicker::setTile);
    connect(mPicker, &TilePicker::tileChanged, mPalette, &TilePalette::setTile);

    setActiveStack(mScript->undoStack());
    connect(mScript, &ProjectDocument::modifiedChanged, this, &MapEditor::updateTitle);
    connect(mScript, &ScriptDocument::cellChanged, this, &MapEditor::showEditedCell);
    connect(&mSession, &ProjectSession::mapsChanged, this, &MapEditor::refreshMapChooser);
    connect(&mSession, &ProjectSession::scriptSaved, this, [this](const QString& map) {
        if (map == tag())
            showScriptedCells();
    });

    // Keyboard: Ctrl+S saves the map while the editor has the focus.
    auto* save = new QShortcut(QKeySequence::Save, this, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(save, &QShortcut::activated, this, &MapEditor::savemap);
}

MapEditor::~MapEditor() {
    // The canvas and the undo actions stop watching the document before this window lets go
    // of it; another window may still show it.
    mCanvas->setDocument(nullptr);
    setActiveStack(nullptr);
}

void MapEditor::buildConfiguration(QWidget* column, QWidget* body) {
    auto* frame2 = frame(column, "Frame2", QStringLiteral("Configuration"), 7, 24, 201, 225);
    auto* label6 = label(frame2, "Label6", QStringLiteral("Position de départ du héro"), 8, 16, 141);
    label(frame2, "Label9", QStringLiteral("X :"), 8, 40, 16);
    mHeroColumn = label(frame2, "Label4", QStringLiteral("1"), 24, 40, 25);
    mHeroColumn->setAccessibleDescription(QStringLiteral("Colonne de départ du héro"));
    mHeroColumn->setToolTip(mHeroColumn->accessibleDescription());
    mHeroStartButton = button(frame2, "Command9", QStringLiteral("Changer"), 56, 40, 57, 25);
    mHeroStartButton->setProperty("Tag", QStringLiteral("false"));
    mHeroStartButton->setToolTip(
        QStringLiteral("Placer le départ du héro (H) : cliquez ensuite sur sa case"));
    label(frame2, "Label10", QStringLiteral("Y :"), 8, 56, 16);
    mHeroRow = label(frame2, "Label5", QStringLiteral("1"), 24, 56, 33);
    mHeroRow->setAccessibleDescription(QStringLiteral("Ligne de départ du héro"));
    mHeroRow->setToolTip(mHeroRow->accessibleDescription());
    auto* label7 = label(frame2, "Label7", QStringLiteral("Nom de la carte :"), 8, 74, 88);
    mName = place(new QLineEdit(QStringLiteral("Carte"), frame2), "text1", 96, 72, 97, 19);
    mName->setAccessibleName(QStringLiteral("Nom de la carte"));

    // The tile picker's frame "Déssin" lies under the drawing option, whose caption covers the
    // frame's own.
    mPicker = new TilePicker(mSession.paths().dataDir, frame2);
    mPicker->setGeometry(24, 96, 121, 46);
    mPicker->layout()->setContentsMargins(4, 0, 4, 2);
    mModes = new QButtonGroup(this);
    mModes->addButton(option(frame2, Drawing, QStringLiteral("Déssin"), 8, 94, 57), Drawing);
    mModes->addButton(option(frame2, Collisions, QStringLiteral("Collisions"), 8, 144, 73),
                      Collisions);
    mModes->addButton(option(frame2, Event, QStringLiteral("Evènement"), 8, 160, 81), Event);
    mModes->button(Drawing)->setChecked(true);
    mModes->button(Drawing)->setAutoFillBackground(true);
    mModes->button(Drawing)->raise();
    mModes->button(Drawing)->setToolTip(QStringLiteral("Mode Déssin (D)"));
    mModes->button(Collisions)->setToolTip(QStringLiteral("Mode Collisions (C)"));
    mModes->button(Event)->setToolTip(QStringLiteral("Mode Evènement (E)"));

    auto* command11 =
        button(frame2, "Command11", QStringLiteral("Changer de texture"), 8, 182, 137, 19);
    auto* command10 =
        button(frame2, "Command10", QStringLiteral("Remettre la carte à zéro"), 8, 202, 137, 19);

    // The set chooser opens over the right of the canvas, below the main menu.
    mTextures = new TextureChooser(mSession.paths().dataDir, body);
    mTextures->setGeometry(320, 100, 161, 110);
    mTextures->resize(mTextures->size().expandedTo(mTextures->minimumSizeHint()));
    mTextures->setAutoFillBackground(true);

    smaller({label6, label7, command10, command11});

    connect(mHeroStartButton, &QPushButton::clicked, this, &MapEditor::armHeroStart);
    connect(mPicker, &TilePicker::drawingChosen, this, [this] { setMode(Drawing); });
    connect(command11, &QPushButton::clicked, this, [this] {
        mTextures->toggle();
        mTextures->raise();
    });
    connect(mTextures, &TextureChooser::setChosen, this, &MapEditor::applyTextureSet);
    connect(command10, &QPushButton::clicked, this, &MapEditor::resetMap);
    // A name change is one step, made when the field is left or Enter is pressed.
    connect(mName, &QLineEdit::editingFinished, this, &MapEditor::commitName);
}

void MapEditor::buildEventPanel(QWidget* body) {
    auto* frame6 = frame(body, "Frame6", QStringLiteral("Evènement"), 0, 0, kBodyWidth,
                         kPanelHeight);
    frame6->setFixedSize(kBodyWidth, kPanelHeight);
    label(frame6, "Label8", QStringLiteral("Position :"), 8, 18, 56);
    mCellColumn = label(frame6, "co", QStringLiteral("0"), 64, 18, 20);
    mCellColumn->setAccessibleDescription(QStringLiteral("Colonne de la case"));
    mCellColumn->setToolTip(mCellColumn->accessibleDescription());
    mCellRow = label(frame6, "ln", QStringLiteral("0"), 86, 18, 24);
    mCellRow->setAccessibleDescription(QStringLiteral("Ligne de la case"));
    mCellRow->setToolTip(mCellRow->accessibleDescription());

    mCommands = new EventCommandColumn(mServices, mSession, *mScript,
                                       EventColumnLayout::mapEditorPanel(), frame6);
    // The map chooser of the panel shows the name of the map being edited when it opens.
    mCommands->setChooserNameMap([this] { return tag(); });
    connect(mCommands, &EventCommandColumn::mapChooserRefused, this, &MapEditor::mapChooserRefused);
    connect(mCommands, &EventCommandColumn::used, this, &MapEditor::workOnScript);

    mListev = place(new ScriptList(mServices.dialogs, *mScript, [this] { return deleteMode(); },
                                   frame6),
                    "listev", 368, 16, 321, 225);
    connect(mListev, &QListWidget::itemPressed, this, &MapEditor::workOnScript);
    mCommands->attachList(mListev);
    auto* command2 = button(frame6, "Command2", QStringLiteral("Sauver"), 560, 252, 129, 33);
    connect(command2, &QPushButton::clicked, this, &MapEditor::saveEvent);
    mCommands->raise();
    connect(mScript, &ScriptDocument::cellChanged, this, [this] {
        mCellRow->setText(QString::number(mScript->row()));
        mCellColumn->setText(QString::number(mScript->column()));
    });
}

// ---- The frames over the canvas

bool MapEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mView && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeOverlays();
    return QWidget::eventFilter(watched, event);
}

void MapEditor::placeOverlays() {
    // As laid out at 1x: the main menu and the set chooser end at the canvas area's right
    // edge, the map chooser one frame width further left.
    const int right = mView->geometry().right() + 1;
    mMainMenu->move(right - mMainMenu->width(), 0);
    mMapChooser->move(right - 321, 40);
    mTextures->move(right - mTextures->width(), 100);
}

// ---- The document shown

QString MapEditor::tag() const { return mDocument ? mDocument->number() : QString(); }

void MapEditor::setMapNumber(const QString& nn) {
    mChosenMap = nn;
    mChosenNumber->setText(nn);
    if (const auto n = wholeNumber(nn)) {
        refreshMapChooser();
        const QSignalBlocker block(mChooserScroll);
        mChooserScroll->setValue(*n);
    }
    mChosenName->setText(mSession.file().read().mapName(nn));
}

MapEditor::Mode MapEditor::mode() const { return Mode(mModes->checkedId()); }

void MapEditor::setMode(Mode mode) {
    if (mode != this->mode())
        mTools->cancel();
    mModes->button(mode)->setChecked(true);
}

bool MapEditor::deleteMode() const { return mCommands->deleteMode(); }

bool MapEditor::hasUnsavedEdits() const {
    return (mDocument && mDocument->isModified()) || mScript->isModified();
}

void MapEditor::setDocument(std::shared_ptr<MapDocument> document) {
    if (mDocument) {
        mDocument->disconnect(this);
        if (mActiveStack == mDocument->undoStack())
            setActiveStack(nullptr);
    }
    mDocument = std::move(document);
    mCanvas->setDocument(mDocument.get());
    MapDocument* d = mDocument.get();
    setActiveStack(d->undoStack());
    connect(d, &MapDocument::heroStartChanged, this, &MapEditor::showHeroStart);
    connect(d, &MapDocument::nameChanged, this, &MapEditor::showName);
    connect(d, &MapDocument::textureSetChanged, this, &MapEditor::showTextureSet);
    connect(d, &ProjectDocument::modifiedChanged, this, &MapEditor::updateTitle);
    connect(d, &MapDocument::editFailed, this, &MapEditor::showError);
    connect(d, &MapDocument::cellsChanged, this, &MapEditor::showStatus);
    connect(d, &MapDocument::heroStartChanged, this, &MapEditor::showStatus);
    showHeroStart();
    showName();
    showTextureSet();
    updateTitle();
    setMapNumber(d->number());
    showScriptedCells();
    showEditedCell();
    showStatus();
}

bool MapEditor::mayLeaveDocument() {
    commitName();
    // Another window showing the same map keeps its edits.
    if (!mDocument || mDocument.use_count() > 1)
        return true;
    return askToSave(mServices.dialogs, this, *mDocument);
}

void MapEditor::showHeroStart() {
    mHeroColumn->setText(mDocument->heroColumn());
    mHeroRow->setText(mDocument->heroRow());
}

void MapEditor::showName() {
    if (mName->text() != mDocument->name())
        mName->setText(mDocument->name());
}

void MapEditor::showTextureSet() {
    mPicker->setTextureSet(mDocument->textureSet());
    mPalette->setTextureSet(mDocument->textureSet());
    mPalette->setTile(mPicker->tile());
}

void MapEditor::showScriptedCells() {
    mScriptedCells = mDocument ? scriptedCells(mDocument->projectFolder(), mDocument->number())
                               : QSet<int>();
    mCanvas->setScriptedCells(mScriptedCells);
    showStatus();
}

void MapEditor::showEditedCell() {
    const bool here = mDocument && mScript->hasCell() && mScript->map() == tag();
    mCanvas->setEditedCell(here ? std::optional(mapgrid::Cell{mScript->row(), mScript->column()})
                                : std::nullopt);
}

void MapEditor::showStatus() {
    const auto cell = mCanvas->pointerCell();
    if (!cell || !mDocument) {
        mStatus->clear();
        return;
    }
    mStatus->setText(cellStatus(mDocument->cells(), *cell, mScriptedCells.contains(cell->slot()),
                                mCanvas->heroCell() == cell));
}

void MapEditor::updateTitle() { setWindowModified(hasUnsavedEdits()); }

void MapEditor::commitName() {
    if (mDocument && mName->text() != mDocument->name()) {
        workOnMap();
        mDocument->rename(mName->text());
    }
}

void MapEditor::showError(const QString& text) {
    mServices.dialogs.message(this, text, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}

void MapEditor::workOnMap() {
    if (mDocument)
        setActiveStack(mDocument->undoStack());
}

void MapEditor::workOnScript() { setActiveStack(mScript->undoStack()); }

// ---- Map operations

void MapEditor::startup() {
    if (mSession.file().read().mapCount() == 0) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                           "créée"),
            AppTitle, MsgIcon::None, MsgButtons::Ok);
        newMap();
    }
    mMainMenu->hide();
    mMapChooser->hide();
}

void MapEditor::loadmap() {
    mMainMenu->hide();
    mMapChooser->hide();
    const QString nn = mChosenMap;
    if (mDocument && mDocument->number() == nn) {
        // The map shown again as its files hold it, once its unsaved edits were asked about.
        if (!mayLeaveDocument())
            return;
        if (!mDocument->isModified())
            mDocument->revert();
        return;
    }
    auto document = MapDocument::open(mSession, nn);
    if (!document) {
        showError(QStringLiteral("Erreur : carte invalide"));
        if (mDocument)
            setMapNumber(mDocument->number());
        return;
    }
    if (!mayLeaveDocument()) {
        setMapNumber(tag());
        return;
    }
    setDocument(std::move(document));
}

void MapEditor::savemap() {
    mMainMenu->hide();
    commitName();
    if (!mDocument) {
        showError(QStringLiteral("Erreur : la carte ") + mChosenMap +
                  QStringLiteral(" n'a pas pu être chargée. Rien n'a été sauvegardé."));
        return;
    }
    if (const QString error = mDocument->save(); !error.isEmpty())
        showError(error);
}

void MapEditor::newMap() {
    mMainMenu->hide();
    if (!mayLeaveDocument())
        return;
    const NewMap added = addNewMap(mSession.paths(), mSession.folder());
    if (!added.error.isEmpty()) {
        showError(added.error);
        return;
    }
    mSession.notifyMapsChanged();
    // Its edits were asked about already.
    if (auto document = MapDocument::open(mSession, added.nn))
        setDocument(std::move(document));
}

void MapEditor::resetMap() {
    const MsgAnswer answer = mServices.dialogs.message(
        this, QStringLiteral("Êtes-vous sûr de vouloir remettre la carte à zéro ?"), AppTitle,
        MsgIcon::None, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes || !mDocument)
        return;
    workOnMap();
    mDocument->reset();
}

void MapEditor::applyTextureSet(const QString& set) {
    if (!mDocument)
        return;
    workOnMap();
    if (const QString error = mDocument->changeTextureSet(set, mSession.paths().dataDir);
        !error.isEmpty())
        showError(error);
}

// ---- Canvas

void MapEditor::armHeroStart() {
    mServices.dialogs.message(
        this,
        QStringLiteral("Cliquez sur la case correspondante à la position de départ du héro sur "
                       "cette carte"),
        AppTitle, MsgIcon::None, MsgButtons::Ok);
    mPlacingHeroStart = true;
    mHeroStartButton->setProperty("Tag", QStringLiteral("True"));
}

void MapEditor::canvasPressed(QPoint position) {
    const auto cell = mapgrid::cellAt(position);
    if (!cell || !mDocument)
        return;
    if (mPlacingHeroStart) {
        mPlacingHeroStart = false;
        mHeroStartButton->setProperty("Tag", QStringLiteral("False"));
        workOnMap();
        mDocument->setHeroStart(cell->column, cell->row);
        return;
    }
    switch (mode()) {
    case Drawing:
    case Collisions:
        workOnMap();
        mTools->press({mDocument.get(),
                       mode() == Drawing ? CellChange::Tile : CellChange::Collision,
                       mPicker->tileCode()},
                      *cell);
        break;
    case Event:
        chooseCell(cell->row, cell->column);
        break;
    }
}

void MapEditor::canvasMoved(QPoint position) {
    if (mTools->isActive())
        mTools->move(mapgrid::cellUnder(position));
}

void MapEditor::canvasReleased(QPoint position) {
    if (mTools->isActive())
        mTools->release(mapgrid::cellUnder(position));
}

void MapEditor::canvasDoubleClicked(QPoint position) {
    // A double click on a cell in event mode opens the event editor on it, once the press it
    // also is has chosen the cell.
    const auto cell = mapgrid::cellAt(position);
    if (cell && mode() == Event && mDocument && mScript->row() == cell->row &&
        mScript->column() == cell->column)
        emit eventEditorRequested(mDocument->number(), cell->row, cell->column);
}

// ---- Map chooser

void MapEditor::refreshMapChooser() {
    // A count that is no whole number above 0 keeps the range the chooser had.
    if (const int count = mSession.file().read().mapsToVisit(); count >= 1) {
        const QSignalBlocker block(mChooserScroll);
        mChooserScroll->setMaximum(count);
    }
}

void MapEditor::chooserMoved(int value) {
    refreshMapChooser();
    if (mChooserScroll->value() != value)
        return;
    mChosenMap = mapNumberText(value);
    mChosenNumber->setText(mChosenMap);
    mChosenName->setText(mSession.file().read().mapName(mChosenMap));
}

// ---- Event panel

void MapEditor::chooseCell(int row, int column) {
    workOnScript();
    const bool same = mScript->hasCell() && mScript->map() == tag() && mScript->row() == row &&
                      mScript->column() == column;
    if (same || !askToSave(mServices.dialogs, this, *mScript))
        return;
    mScript->openCell(tag(), row, column);
}

void MapEditor::mapChooserRefused() {
    // The map count is unreadable: the chooser stays closed and the program goes on.
    mServices.dialogs.message(
        this,
        QStringLiteral("Erreur : Fichier projet.ini corrompus ou introuvable, veuillez reporter "
                       "ce bug sur ") +
            SupportSite,
        QStringLiteral("Erreur"), MsgIcon::Critical, MsgButtons::Ok);
}

void MapEditor::saveEvent() {
    workOnScript();
    if (!mScript->hasCell()) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Choisissez d'abord une case de la carte en mode « Evènement »."),
            AppTitle, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    if (const QString error = mScript->save(); !error.isEmpty())
        showError(error);
}

// ---- Closing

void MapEditor::closeEvent(QCloseEvent* event) {
    if (!mayLeaveDocument() || !askToSave(mServices.dialogs, this, *mScript)) {
        event->ignore();
        return;
    }
    // Let go of the map now: when no other window shows it, its document goes with it, and a
    // later opening reads the files again.
    mCanvas->setDocument(nullptr);
    setActiveStack(nullptr);
    if (mDocument)
        mDocument->disconnect(this);
    mDocument.reset();
    event->accept();
}

void MapEditor::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}
