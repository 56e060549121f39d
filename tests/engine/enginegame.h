#pragma once

// A new project of the bundled game played headless by the real luaplayer, the map files the
// tests write, and the supplied pictures and texts looked for on the screen.

#include "player/playerprogram.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "testsupport/files.h"
#include "testsupport/pictures.h"

#include <QList>
#include <QPoint>
#include <QTemporaryDir>

inline const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");
// Title menu "Nouvelle partie": cross down on frame 5, up on frame 7.
inline const QByteArray kNewGame = "0\n5 cross\n7\n";

struct GameRun {
    int exitCode = -1;
    QByteArray errors;
    QImage screen;  // the visible screen when the run ended
    QByteArray log; // what the game's Lua wrote to log.txt
    PcmSound sound; // the mix
    int peak(int from, int to) const { return ::peak(sound, from, to); }
};

// Plays script in dir for the frames with the scripted buttons ("FRAME BUTTON..." lines).
inline GameRun play(const QString& dir, int frames, const QByteArray& buttons, const QString& script = "index.lua") {
    putFile(dir + "/buttons.txt", buttons);
    for (const char* output : {"/screen.png", "/log.txt", "/son.wav"})
        QFile::remove(dir + output);
    const ProgramRun ran = runLuaplayer(dir, {"--headless", "--frames", QString::number(frames), "--buttons", "buttons.txt",
                                              "--screenshot", "screen.png", "--audio-out", "son.wav", script});
    return {ran.exitCode, ran.errors, QImage(dir + "/screen.png").convertToFormat(QImage::Format_RGB32),
            bytesOf(dir + "/log.txt"), recordedSound(dir + "/son.wav")};
}

// Data copied into a new application folder holding the project "Jeu".
struct Game {
    QTemporaryDir dir;
    bool valid = copyTree(kData, dir.path() + "/data") && createProject(AppPaths::inPlace(dir.path()), "Jeu", "Testeur");
    QString project(const QString& rel = QString()) const { return dir.path() + "/projets/Jeu" + rel; }
    bool write(const QString& rel, const QByteArray& bytes) const { return putFile(project("/" + rel), bytes); }
    GameRun play(int frames, const QByteArray& buttons) const { return ::play(project(), frames, buttons); }
};

// A map of 9 full rows whose cell (c, r) has the tile code (c + r) % 10, hero at (column, row).
inline QByteArray patternMap(int column, int row) {
    QByteArray text = QByteArray::number(column * 100 + row).rightJustified(4, '0') + "\r\n";
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 17; ++c)
            text += char('0' + (c + r) % 10);
        text += "\r\n";
    }
    return text;
}

// 9 rows of 17 cells, '1' where blocked.
inline QByteArray collisionFile(const QList<QPoint>& blocked) {
    QByteArray text = (QByteArray(17, '0') + "\r\n").repeated(9);
    for (const QPoint& cell : blocked)
        text[(cell.y() - 1) * 19 + cell.x() - 1] = '1';
    return text;
}

inline QImage picture(const QString& dataPath) {
    return QImage(kData + '/' + dataPath).convertToFormat(QImage::Format_ARGB32);
}

// Map cells are 28 x 29 pixels, from x = 2.
inline bool cellShowsTile(const QImage& screen, const QString& set, int column, int row, int code) {
    const QImage tile = picture("images/terrains/terrain" + set + "/terrain01.png").copy(code * 28, 0, 28, 29);
    return pictureShare(screen, tile, 2 + (column - 1) * 28, (row - 1) * 29) == 1.0;
}

inline bool heroShownAt(const QImage& screen, int column, int row, const QString& sprite) {
    return pictureShare(screen, picture("images/personnages/perso01/" + sprite + ".png"),
                        2 + (column - 1) * 28, (row - 1) * 29) == 1.0;
}

inline bool titleShown(const QImage& screen) {
    return pictureShare(screen, picture("images/system/theme01/imgprinc.png"), 0, 0) > 0.8 &&
           pictureShare(screen, picture("images/system/theme01/menuprinc.png"), 140, 180) > 0.9;
}

inline bool dialogShown(const QImage& screen) {
    return pictureShare(screen, picture("images/system/theme01/parler.png"), 0, 192) > 0.95;
}

// Every glyph pixel of the 8x8 text at (x, y) has the colour.
inline bool textShownAt(const QImage& screen, int x, int y, const QString& text, QRgb colour) {
    QImage expected = screen.convertToFormat(QImage::Format_RGB32);
    paintGlyphs(expected, x, y, text, colour);
    return expected == screen.convertToFormat(QImage::Format_RGB32);
}
