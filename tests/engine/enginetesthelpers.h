#pragma once

// A game made from the repository's data/ in a temporary application folder, played by the
// real luaplayer without a window, and checks on the screens it saves.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// Screen layout of the engine: 17 columns of 28 pixels from x = 2, rows of 29 from y = 0.
inline constexpr int kMapX = 2;
inline constexpr int kCellWidth = 28;
inline constexpr int kCellHeight = 29;

// What one headless run left behind.
struct GameRun {
    int exitCode = -1;
    QImage screen;    // the visible screen when the run ended
    QString errors;   // the player's standard error
    QByteArray log;   // what the game's Lua wrote to log.txt during the run
};

class GameFolder {
public:
    // Copies data/ into a new application folder and creates the project "Jeu" there.
    GameFolder();
    bool isValid() const { return mValid; }

    QString appDir() const { return mDir.path(); }
    QString projectDir() const { return mDir.path() + QStringLiteral("/projets/Jeu"); }
    // Writes a file below the project folder.
    void write(const QString& relativePath, const QByteArray& bytes) const;
    void remove(const QString& relativePath) const;

    // Plays a script (the game's index.lua by default) from the project folder for the given
    // number of frames with the scripted buttons (lines "FRAME BUTTON...").
    GameRun play(int frames, const QByteArray& buttons,
                 const QString& script = QStringLiteral("index.lua")) const;
    // Plays the launcher index.lua of the application folder, as the test run does.
    GameRun playLauncher(int frames, const QByteArray& buttons) const;

private:
    QTemporaryDir mDir;
    bool mValid = false;
};

// Map file text: the hero's start cell, then the rows as given, each ended by CR LF.
QByteArray mapFile(int column, int row, const QList<QByteArray>& rows);
// A map of 9 full rows whose cell (c, r) has the tile code (c + r) % 10.
QByteArray patternMap(int column, int row);
// Collision file of 9 free rows but the given cells (column, row).
QByteArray collisionFile(const QList<QPoint>& blocked);

QImage loadPicture(const QString& dataRelativePath);
// Share of the picture's opaque pixels that the screen shows unchanged at (x, y).
double pictureShare(const QImage& screen, const QImage& picture, int x, int y);
// The tile of code k of the sheet fills the map cell exactly.
bool cellShowsTile(const QImage& screen, const QImage& sheet, int column, int row, int code);
// Every pixel of the map cell is black (nothing drawn).
bool cellIsBlack(const QImage& screen, int column, int row);
// The hero's sprite (a file name of images/personnages/perso01 without ".png") stands on
// the cell.
bool heroShownAt(const QImage& screen, int column, int row, const QString& sprite);
// The 8 x 8 font's pixels of the text (UTF-8) at (x, y) have the colour on the screen; the
// glyphs come from the player itself.
bool textShownAt(const QImage& screen, int x, int y, const QByteArray& text, QRgb colour);
// x of a text centred on the 480-pixel screen.
int centredX(const QByteArray& text);
