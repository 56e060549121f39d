#pragma once

#include <QWidget>

#include <functional>

struct AppServices;
class ProjectSession;
class QLineEdit;

// The project-creation window `nouvprojet`: a name, an author and "C'est partie !". On
// success it reports the new project's name; the main window then makes it current.
class NewProjectWindow : public QWidget {
    Q_OBJECT
public:
    NewProjectWindow(AppServices& services, const ProjectSession& session,
                     QWidget* parent = nullptr);

    // Asked before the new project replaces the open one; false keeps the open one.
    void setMayReplaceProject(std::function<bool()> check) { mMayReplace = std::move(check); }

signals:
    void projectCreated(const QString& name);

private:
    void create();

    AppServices& mServices;
    std::function<bool()> mMayReplace = [] { return true; };
    const ProjectSession& mSession;
    QLineEdit* mName;
    QLineEdit* mAuthor;
};
