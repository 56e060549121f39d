#pragma once

// While a test run is live, each save in Quendal rebuilds the game's generated scripts, and the
// running game takes in the files that changed.

#include <QObject>
#include <QString>
#include <QStringList>

class ProjectSession;

struct LiveRebuildResult {
    QStringList written; // the scripts whose text changed, written
    QString error;       // French message; nothing was written then
};

// Builds the game's scripts again and writes only those whose text changed, so that the
// running game reloads no more than that. Scripts that do not compile are not written: the
// message names the cell or the variable at fault, and the game goes on with what it has.
LiveRebuildResult rebuildChangedScripts(const QString& projectDir);

// Rebuilds after each save of a map, an event script or the variables, while active. Saves
// made together (every unsaved edit before a test run) make one rebuild, when control returns
// to the event loop.
class LiveRebuild : public QObject {
    Q_OBJECT
public:
    explicit LiveRebuild(ProjectSession& session, QObject* parent = nullptr);

    void setActive(bool active);
    bool isActive() const { return mActive; }
    // Runs the rebuild a save asked for now, instead of at the next turn of the event loop.
    void flush();

signals:
    void rebuilt(const QStringList& written);
    void failed(const QString& message);

private:
    void schedule();
    void rebuild();

    ProjectSession& mSession;
    bool mActive = false;
    bool mPending = false;
};
