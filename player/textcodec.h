#pragma once

#include <QByteArray>
#include <QString>

// Lua strings are bytes: read them as UTF-8 when they are valid UTF-8, else as Windows-1252,
// the code page Quendal writes user texts in.
QString decodeLuaText(const QByteArray& bytes);
