#pragma once

#include "maps/mapstate.h"

#include <QWidget>

#include <functional>

struct AppServices;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The map editor window `mapeditor`: holds one map of the current project in memory and moves
// it between the window and the map files. Callers choose the map by setting the map number
// label `Label1` (setMapNumber) and calling loadmap. The window's Tag is the map number text
// of the map last loaded; savemap writes under it.
class MapEditor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    MapEditor(AppServices& services, std::function<QString()> currentProject,
              QWidget* parent = nullptr);

    QString tag() const { return mTag; }
    void setTag(const QString& tag) { mTag = tag; }
    QString mapNumber() const;                 // caption of Label1
    void setMapNumber(const QString& nn);

    MapState& state() { return mState; }
    const MapState& state() const { return mState; }

public slots:
    // Start-up of a new window: a project without maps gets its first map.
    void startup();
    void loadmap();
    void savemap();
    void newMap();     // "Nouvelle carte"
    void resetMap();   // "Remettre la carte à zéro"

signals:
    // The cells changed (load or reset): the canvas repaints.
    void mapChanged();

private:
    QString projectDir() const;
    void showError(const QString& text);

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    MapState mState;
    bool mCellsAreThisMap = false;   // false after a refused load: the cells belong to another map
    QString mTag;

    QGroupBox* mFrame1;
    QGroupBox* mFrame2;
    QGroupBox* mFrame3;
    QLabel* mLabel1;
    QLabel* mLabel3;
    QLabel* mLabel4;
    QLabel* mLabel5;
    QLineEdit* mText1;
};
