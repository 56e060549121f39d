#include "plays/playrecord.h"

#include "project/cp1252.h"

#include <QList>

RecordingHeaderInfo readRecordingHeader(const QByteArray& text) {
    RecordingHeaderInfo info;
    bool frames = false;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith('#'))
            break; // the header ends where the pad's lines start
        const QList<QByteArray> words = line.mid(1).simplified().split(' ');
        if (words.size() != 2)
            continue;
        bool ok = false;
        const qint64 value = words[1].toLongLong(&ok);
        if (!ok)
            continue;
        if (words[0] == "horloge")
            info.clockStart = value;
        else if (words[0] == "images") {
            info.frames = value;
            frames = value >= 0;
        } else if (words[0] == "changements")
            info.liveChanges = value;
    }
    info.valid = frames;
    return info;
}

GameState parseGameState(const QByteArray& text) {
    GameState state;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString name = QString::fromLatin1(line.left(equals));
        // Values are the game's own bytes: text the editor typed is Windows-1252.
        const QString value = fromCp1252(line.mid(equals + 1));
        if (name == QStringLiteral("image")) {
            bool ok = false;
            const qint64 frames = value.toLongLong(&ok);
            state.frames = ok ? frames : -1;
        } else {
            state.fields.insert(name, value);
        }
    }
    return state;
}
