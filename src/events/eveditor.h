#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

struct AppServices;
class ConditionsPanel;
class LifePanel;
class MapChooserPanel;
class QGroupBox;
class QLabel;
class ScriptList;
class VariablesPanel;

// The event editor window `eveditor`: edits the script of one map cell with every event
// command. The cell is the map given to openCell (map "01" until then) and the captions of
// `ln` (row) and `co` (column). The window is made once and then only hidden and shown, so its
// list, sub-panels and delete mode survive from one showing to the next. "OK" writes the list
// as the cell's script file and hides the window; "Annuler" hides it without writing.
class EventEditor : public QWidget {
    Q_OBJECT
public:
    EventEditor(AppServices& services, std::function<QString()> currentProject,
                QWidget* parent = nullptr);

    // Edits the cell in row, column of map mapNumber (map number text, "01"): sets `ln` and
    // `co` and replaces the list with the cell's saved lines, or with the single line
    // "-- Evenements :" when the cell has no script file yet. Does not show the window.
    void openCell(const QString& mapNumber, int row, int column);

    QString mapNumber() const { return mMap; }
    QStringList lines() const;
    bool deleteMode() const;
    // Path of the script file "OK" writes.
    QString scriptPath() const;

public slots:
    void accept(); // "OK"
    void cancel(); // "Annuler"

signals:
    // "OK" wrote the script of this cell.
    void scriptSaved(const QString& mapNumber, int row, int column);

private:
    void toggleMapChooser();
    void hideWindow();

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    QString mMap = QStringLiteral("01");

    QLabel* mRow;
    QLabel* mColumn;
    ScriptList* mText1;
    QGroupBox* mFrame4;
    MapChooserPanel* mMapChooser;
    VariablesPanel* mVariables;
    LifePanel* mLife;
    ConditionsPanel* mConditions;
};
