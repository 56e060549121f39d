#pragma once

#include <QWidget>

struct AppServices;
class FolderList;

// The project-opening window `openp`: a folder list starting at the projects root and
// "Ouvrir", which opens the list's current folder when it is a project of the projects root.
class OpenP : public QWidget {
    Q_OBJECT
public:
    explicit OpenP(AppServices& services, QWidget* parent = nullptr);

signals:
    void projectOpened(const QString& name);

private:
    void open();

    AppServices& mServices;
    FolderList* mDir1;
};
