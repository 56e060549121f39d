#pragma once

#include <QByteArray>

// First content of a new map: the map file and collision file templates. Both end with the
// CR LF of their 8th row; the program adds one more CR LF when it copies them.
namespace art {

constexpr int mapColumns = 17;
constexpr int mapRows = 8;
constexpr int heroStartColumn = 9; // on the path, a walkable cell
constexpr int heroStartRow = 4;

QByteArray mapTemplate();       // ftgmma.dat: a grass field crossed by a path
QByteArray collisionTemplate(); // ftgmev.dat: every cell free

} // namespace art
