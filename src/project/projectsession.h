#pragma once

#include "project/apppaths.h"
#include "project/projectfile.h"

#include <QList>
#include <QObject>
#include <QString>

class ProjectDocument;

// The open project: its folder name (empty while none is open), the paths it is built from,
// the documents that hold edits of it, and the signals through which every window learns what
// changed, whoever changed it. Owned by the main window; windows take it by reference.
class ProjectSession : public QObject {
    Q_OBJECT
public:
    explicit ProjectSession(AppPaths paths, QObject* parent = nullptr);

    const AppPaths& paths() const { return mPaths; }
    bool isOpen() const { return !mName.isEmpty(); }
    // The project folder name: projets/<name> of the work folder.
    const QString& name() const { return mName; }
    QString folder() const { return mPaths.projectFolder(mName); }
    ProjectFile file() const { return ProjectFile(folder() + QStringLiteral("/projet.ini")); }

    // Makes the named project the open one (creation and opening have checked it). Documents
    // of the project open before are the caller's to close first.
    void open(const QString& name);

    // Documents announce themselves; they leave the list when destroyed.
    void addDocument(ProjectDocument* document);
    QList<ProjectDocument*> documents() const { return mDocuments; }
    QList<ProjectDocument*> modifiedDocuments() const;
    // Saves every modified document; stops at the first failure and returns its message.
    QString saveAll();

    // Told by whoever changed the project's files, so that every view follows.
    void notifyMapsChanged() { emit mapsChanged(); }
    void notifyMapSaved(const QString& nn) { emit mapSaved(nn); }
    void notifyScriptSaved(const QString& map, int row, int column) {
        emit scriptSaved(map, row, column);
    }
    void notifyVariablesChanged() { emit variablesChanged(); }

signals:
    void projectChanged(const QString& name);
    // A map was added, or a map's name or texture set changed in projet.ini.
    void mapsChanged();
    void mapSaved(const QString& nn);
    void scriptSaved(const QString& map, int row, int column);
    void variablesChanged();

private:
    AppPaths mPaths;
    QString mName;
    QList<ProjectDocument*> mDocuments;
};
