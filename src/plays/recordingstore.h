#pragma once

// The plays recorded in a project's test runs, kept in its folder parties/ (which a finalised
// game leaves out). Each play is three files named after the moment it started: ID.txt, the
// pad frame by frame as the player wrote it; ID.png, the last screen; ID.etat, where the game
// stood at the end. A play kept as a check has a name in parties/verifications.ini.

#include "build/testrun.h"
#include "plays/playrecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

struct Recording {
    QString id;
    QDateTime started;
    qint64 frames = 0;      // the play's length, 60 a second
    qint64 liveChanges = 0; // saves taken in while it was played
    GameState end;          // where the game stood at its end
    QString checkName;      // its name as a check; empty when it is none

    bool isCheck() const { return !checkName.isEmpty(); }
    // "1 min 05 s", "12 s"
    QString lengthText() const;
};

class RecordingStore {
public:
    static constexpr const char* kFolder = "parties";

    explicit RecordingStore(QString projectDir);

    QString folder() const { return mProjectDir + u'/' + QLatin1String(kFolder); }
    QString padPath(const QString& id) const { return folder() + u'/' + id + QStringLiteral(".txt"); }
    QString screenPath(const QString& id) const { return folder() + u'/' + id + QStringLiteral(".png"); }
    QString statePath(const QString& id) const { return folder() + u'/' + id + QStringLiteral(".etat"); }

    // Files for a play starting at `when`, under an id no play has; makes the folder. Nothing
    // when the folder cannot be made.
    std::optional<RunRecordFiles> newRecordFiles(const QDateTime& when) const;

    // Every recorded play, the latest first. A play whose pad was not written (the player
    // ended before it could) is not one.
    QList<Recording> list() const;
    std::optional<Recording> find(const QString& id) const;
    QList<Recording> checks() const;

    // Keeps the play as a check under `name`. Empty on success, else a French message: a play
    // that took in live changes does not replay to its end, and a play needs its last screen.
    QString keep(const QString& id, const QString& name);
    // The play is no check any more; its files stay.
    QString forget(const QString& id);
    // Deletes the play's files, and its check.
    QString remove(const QString& id);

private:
    QString indexPath() const { return folder() + QStringLiteral("/verifications.ini"); }
    std::optional<Recording> read(const QString& id) const;

    QString mProjectDir;
};
