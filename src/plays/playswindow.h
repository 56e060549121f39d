#pragma once

#include <QWidget>

struct AppServices;
class ProjectSession;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTreeView;

// "Parties enregistrées": the plays recorded in the project's test runs, the latest first,
// with their date, the map reached and their length; a play is replayed in the player's
// window, kept as a check under a name, or deleted. The window shows the project's folder
// parties/: reload() reads it again, which the main window asks for when a run ends.
class PlaysWindow : public QWidget {
    Q_OBJECT
public:
    PlaysWindow(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);

    QTreeView* view() const { return mView; }

public slots:
    void reload();

private:
    QString selectedId() const;
    void updateButtons();
    void replay();
    void keep();
    void forget();
    void remove();
    void showError(const QString& message);

    AppServices& mServices;
    ProjectSession& mSession;
    QStandardItemModel* mModel;
    QTreeView* mView;
    QLabel* mCount;
    QPushButton* mReplay;
    QPushButton* mKeep;
    QPushButton* mForget;
    QPushButton* mRemove;
};
