#pragma once

#include <QWidget>

#include <functional>

struct AppServices;
class FolderList;
class ProjectSession;

// The project-opening window `openp`: a folder list starting at the projects root and
// "Ouvrir", which opens the list's current folder when it is a project of the projects root.
class OpenProjectWindow : public QWidget {
    Q_OBJECT
public:
    OpenProjectWindow(AppServices& services, const ProjectSession& session,
                      QWidget* parent = nullptr);

    // Asked before the new project replaces the open one; false keeps the open one.
    void setMayReplaceProject(std::function<bool()> check) { mMayReplace = std::move(check); }

signals:
    void projectOpened(const QString& name);

private:
    void open();

    AppServices& mServices;
    std::function<bool()> mMayReplace = [] { return true; };
    const ProjectSession& mSession;
    FolderList* mDir1;
};
