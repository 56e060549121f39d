#pragma once

// The files the player writes for a recorded run, as Quendal reads them: the header of the
// pad recording ("# key value" comment lines) and the state file ("name=value" lines).

#include <QByteArray>
#include <QMap>
#include <QString>

struct RecordingHeaderInfo {
    bool valid = false;        // the player's header was found
    qint64 clockStart = 0;     // seconds since 1970 when the play started
    qint64 frames = 0;         // the --frames that replays it to the same end
    qint64 liveChanges = 0;    // files saved in Quendal that the game took in meanwhile
};

RecordingHeaderInfo readRecordingHeader(const QByteArray& text);

// Where the game stood at the end of a run, as the engine reported it.
struct GameState {
    qint64 frames = -1; // frames run; -1 when unknown
    QMap<QString, QString> fields;

    QString map() const { return fields.value(QStringLiteral("carte")); }
    QString column() const { return fields.value(QStringLiteral("colonne")); }
    QString row() const { return fields.value(QStringLiteral("ligne")); }
    QString life() const { return fields.value(QStringLiteral("vie")); }
};

GameState parseGameState(const QByteArray& text);
