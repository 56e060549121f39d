#pragma once

#include <QWidget>

struct AppServices;
class ProjectSession;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The variables editor `var`: lists the game's variables with their start values, adds one,
// and changes a start value, writing projet.ini at once. It shows the file: the main window
// calls loadvars() each time its window becomes the active one, the first showing included,
// and every change made through it reloads it.
class VariablesWindow : public QWidget {
    Q_OBJECT
public:
    VariablesWindow(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);

public slots:
    void loadvars();

private:
    void addVariable();
    void changeValue(QListWidgetItem* item);
    void showError(const QString& description);

    AppServices& mServices;
    ProjectSession& mSession;
    QLabel* mCount;
    QListWidget* mList;
    QPushButton* mAdd;
};
