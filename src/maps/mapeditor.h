#pragma once

#include "maps/mapstate.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

struct AppServices;
class ConditionsPanel;
class LifePanel;
class MapCanvas;
class MapChooserPanel;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class ScriptList;
class TextureChooser;
class TilePicker;
class VariablesPanel;

// The map editor window `mapeditor`: holds one map of the current project in memory, shows it
// on the canvas `CarteImg` and edits it by presses in drawing, collision or event mode, and
// moves it between the window and the map files. Callers choose the map by setting the map
// number label `Label1` (setMapNumber) and calling loadmap. The window's Tag is the map number
// text of the map last loaded; savemap writes under it. Below the canvas, the event panel
// `Frame6` edits the event script of the cell chosen in event mode.
//
// The canvas is repainted only when what it shows changes (press, load, reset, texture set,
// map selector), so an idle window costs no processor time.
class MapEditor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    enum Mode { Drawing = 0, Collisions = 1, Event = 2 };

    MapEditor(AppServices& services, std::function<QString()> currentProject,
              QWidget* parent = nullptr);

    QString tag() const { return mTag; }
    void setTag(const QString& tag) { mTag = tag; }
    QString mapNumber() const;                 // caption of Label1
    void setMapNumber(const QString& nn);

    MapState& state() { return mState; }
    const MapState& state() const { return mState; }

    Mode mode() const;
    // Lines of the event panel's list `listev`.
    QStringList eventLines() const;
    // Path of the script file "Sauver" writes, empty while no cell is chosen.
    QString eventScriptFile() const;
    bool deleteMode() const;

public slots:
    // Start-up of a new window: a project without maps gets its first map.
    void startup();
    void loadmap();
    void savemap();
    void newMap();     // "Nouvelle carte"
    void resetMap();   // "Remettre la carte à zéro"
    // Paints the cells with the texture set of the map named by Label1.
    void drawmap();
    void saveEvent();  // "Sauver" of the event panel
    // Another window wrote the script of a cell: the panel shows the file again when it
    // shows that cell, so that a later "Sauver" does not write back stale lines.
    void eventScriptSaved(const QString& mapNumber, int row, int column);

signals:
    // The cells changed (load or reset).
    void mapChanged();
    // A cell was double-clicked in event mode: open the event editor on it.
    void eventEditorRequested(QString mapNumber, int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildConfiguration(QWidget* body);
    void buildMenus(QWidget* body);
    void buildEventPanel(QWidget* body);
    QString projectDir() const;
    void showError(const QString& text);
    void canvasPressed(QPoint position);
    void chooseCell(int row, int column);
    void armHeroStart();
    void mapChosen(int value);
    void refreshMapChooser();
    void toggleMapChange();
    void showAlone(QWidget* panel);
    void closeWindow();

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    MapState mState;
    bool mCellsAreThisMap = false;   // false after a refused load: the cells belong to another map
    bool mPreviewsShown = false;     // the set chooser shows the first map's set once
    QString mTag;
    QString mEventMap;               // map of the cell chosen in event mode

    MapCanvas* mCanvas;
    QGroupBox* mFrame1;
    QGroupBox* mFrame2;
    QGroupBox* mFrame3;
    QLabel* mLabel1;
    QLabel* mLabel3;
    QLabel* mLabel4;
    QLabel* mLabel5;
    QLineEdit* mText1;
    QScrollBar* mHScroll1;
    QPushButton* mCommand9;
    QButtonGroup* mModes;
    TextureChooser* mTextures;
    TilePicker* mPicker;

    QLabel* mRow;
    QLabel* mColumn;
    ScriptList* mListev;
    QGroupBox* mDeleteFrame;
    MapChooserPanel* mMapChange;
    VariablesPanel* mVariables;
    LifePanel* mLife;
    ConditionsPanel* mConditions;
};
