#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the single-byte code page of every text and INI file a project holds.
// Decoding is a bijection on bytes: the five bytes the code page leaves undefined map to
// the C1 control characters of the same value, so a decode followed by an encode gives
// back the same bytes.
QString fromCp1252(const QByteArray& bytes);

// Characters the code page cannot hold become '?'.
QByteArray toCp1252(const QString& text);
