#pragma once

#include <QWidget>

#include <functional>

struct AppServices;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The variables editor `var`: lists the game's variables with their start values, adds one,
// and changes a start value. The main window calls loadvars() each time its window becomes
// the active one, the first showing included.
class VarEditor : public QWidget {
    Q_OBJECT
public:
    VarEditor(AppServices& services, std::function<QString()> currentProject,
              QWidget* parent = nullptr);

public slots:
    void loadvars();

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
};
