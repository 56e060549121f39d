#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Paths as scripts give and receive them. A game's files are Windows-1252, so a path string
// from Lua is read as Windows-1252. When those bytes are also valid UTF-8, name an existing
// file under that reading and none under the Windows-1252 one, the UTF-8 reading is used.
// Letter case is resolved as on the console's FAT Memory Stick; the string ends at its first
// NUL byte, as it does for the C library.
QString pathFromLua(QByteArrayView bytes);

// A path handed back to a script: Windows-1252 when every character fits, else UTF-8, so
// that giving it back to pathFromLua finds the same file.
QByteArray pathToLua(const QString& path);
