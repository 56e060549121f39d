#pragma once

#include "project/mapgrid.h"

#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

struct AppServices;
class EventCommandColumn;
class MapCanvas;
class MapDocument;
class ProjectSession;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QAction;
class QUndoStack;
class CanvasView;
class PaintTools;
class ScriptDocument;
class ScriptList;
class TextureChooser;
class TilePalette;
class TilePicker;

// The map editor window `mapeditor`: a view of one map document of the open project, edited on
// the canvas `CarteImg` in drawing, collision or event mode with the drawing tools (pencil,
// rectangle, fill) and the tile palette of the row under the canvas, with the map's name, hero
// start and texture set beside it. Below, the event panel `Frame6` edits the script of the
// cell chosen in event mode, and a status line names the cell under the pointer. The window
// may grow: the canvas takes the room, and shows the map 1, 2 or 3 times enlarged.
// Callers choose the map with setMapNumber() (the map chooser's `Label1`) and call loadmap().
// Nothing is dropped silently: loading another map, "Nouvelle carte", choosing another cell
// and closing the window ask about unsaved edits first.
class MapEditor : public QWidget {
    Q_OBJECT
    // The map number text of the map shown, empty before a map was loaded.
    Q_PROPERTY(QString Tag READ tag)
public:
    enum Mode { Drawing = 0, Collisions = 1, Event = 2 };

    MapEditor(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);
    ~MapEditor() override;

    QString tag() const;
    // The map the chooser names (caption of `Label1`), which loadmap() loads.
    QString mapNumber() const { return mChosenMap; }
    void setMapNumber(const QString& nn);

    MapDocument* document() const { return mDocument.get(); }
    ScriptDocument& panelScript() const { return *mScript; }
    Mode mode() const;
    void setMode(Mode mode);
    bool deleteMode() const;
    PaintTools& tools() const { return *mTools; }
    CanvasView& view() const { return *mView; }
    // Whether anything shown in this window is unsaved: the map or the panel's script.
    bool hasUnsavedEdits() const;

public slots:
    // A project without maps gets its first map.
    void startup();
    // Loads the map the chooser names. A map file that cannot be read changes nothing.
    void loadmap();
    void savemap();   // "Sauvegarder la carte"
    void newMap();    // "Nouvelle carte"
    void resetMap();  // "Remettre la carte à zéro"
    void saveEvent(); // "Sauver" of the event panel

signals:
    // A cell was double-clicked in event mode: open the event editor on it.
    void eventEditorRequested(QString mapNumber, int row, int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildConfiguration(QWidget* column, QWidget* body);
    void buildMenus(QWidget* column, QWidget* body);
    void buildEventPanel(QWidget* body);
    void buildEditMenu(class QMenuBar* bar);
    void buildToolMenus(class QMenuBar* bar);
    // The frames that open over the canvas keep their place beside the window's right column.
    void placeOverlays();
    void setDocument(std::shared_ptr<MapDocument> document);
    // Before the document stops being shown here: its unsaved edits are asked about when no
    // other window shows it.
    bool mayLeaveDocument();
    void showHeroStart();
    void showName();
    void showTextureSet();
    void updateTitle();
    void commitName();
    void showError(const QString& text);
    void canvasPressed(QPoint position);
    void canvasMoved(QPoint position);
    void canvasReleased(QPoint position);
    void canvasDoubleClicked(QPoint position);
    void showStatus();
    void showScriptedCells();
    void showEditedCell();
    void chooseCell(int row, int column);
    void armHeroStart();
    void chooserMoved(int value);
    void refreshMapChooser();
    void mapChooserRefused();
    void applyTextureSet(const QString& set);
    void closeWindow();
    void workOnMap();
    void workOnScript();
    void setActiveStack(QUndoStack* stack);

    AppServices& mServices;
    ProjectSession& mSession;
    std::shared_ptr<MapDocument> mDocument;
    ScriptDocument* mScript;
    QUndoStack* mActiveStack = nullptr;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    QString mChosenMap = QStringLiteral("01");
    bool mPlacingHeroStart = false;

    MapCanvas* mCanvas;
    CanvasView* mView;
    PaintTools* mTools;
    TilePalette* mPalette;
    QLabel* mStatus;
    QAction* mModeActions[3] = {};
    QSet<int> mScriptedCells;
    QGroupBox* mMainMenu;     // Frame3
    QGroupBox* mMapChooser;   // Frame1
    QLabel* mChosenNumber;    // Label1
    QLabel* mChosenName;      // Label3
    QScrollBar* mChooserScroll; // HScroll1
    QLabel* mHeroColumn;      // Label4
    QLabel* mHeroRow;         // Label5
    QPushButton* mHeroStartButton; // Command9
    QLineEdit* mName;         // text1
    QButtonGroup* mModes;
    TextureChooser* mTextures;
    TilePicker* mPicker;

    QLabel* mCellRow;    // ln
    QLabel* mCellColumn; // co
    ScriptList* mListev;
    EventCommandColumn* mCommands;
};
