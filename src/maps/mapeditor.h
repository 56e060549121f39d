#pragma once

#include <QString>
#include <QWidget>

#include <memory>

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
class ScriptDocument;
class ScriptList;
class TextureChooser;
class TilePicker;

// The map editor window `mapeditor`: a view of one map document of the open project, edited by
// presses on the canvas `CarteImg` in drawing, collision or event mode, with the map's name,
// hero start and texture set beside it. Below the canvas, the event panel `Frame6` edits the
// script of the cell chosen in event mode. Callers choose the map with setMapNumber() (the map
// chooser's `Label1`) and call loadmap(). Nothing is dropped silently: loading another map,
// "Nouvelle carte", choosing another cell and closing the window ask about unsaved edits first.
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
    bool deleteMode() const;
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

private:
    void buildConfiguration(QWidget* body);
    void buildMenus(QWidget* body);
    void buildEventPanel(QWidget* body);
    void buildEditMenu(class QMenuBar* bar);
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
    void canvasDoubleClicked(QPoint position);
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
