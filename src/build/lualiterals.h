#pragma once

#include <QStringList>

// The quoted string literals of a Lua 5.1 text, in order, with their escapes decoded
// ("a\\b" gives a\b). Comments and long strings ([[...]]) are skipped. Used to find the
// files a game's scripts name, such as dofile("ram.lua") or Image.load("images/x.png").
QStringList luaStringLiterals(const QString& text);
