#pragma once

#include <QWidget>

#include <functional>

struct AppServices;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The variables editor `var`: lists the game's variables with their start values, adds one,
// and changes a start value. Reloads from projet.ini each time its window becomes active.
class VarEditor : public QWidget {
    Q_OBJECT
public:
    VarEditor(AppServices& services, std::function<QString()> currentProject,
              QWidget* parent = nullptr);

public slots:
    void loadvars();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addVariable();
    void changeValue(QListWidgetItem* item);
    QString iniPath() const;
    void showError(const QString& description);

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    QLabel* mCount;
    QListWidget* mList;
    QPushButton* mAdd;
    bool mWatching = false;
};
