#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The text of an uncaught error, as the error screen and standard error show it. A message
// can be megabytes long and memory may be short when it is shown, so both functions work in
// time and memory bounded by what they return.

// The message bytes as text, read as decodeLuaText does (UTF-8 when the whole message is
// valid UTF-8, else Windows-1252), of at most maxBytes bytes; a cut message ends with a note
// of how many bytes were left out.
QString errorMessageText(QByteArrayView message, qsizetype maxBytes);

// Cuts text into lines of at most `width` characters, at its own line breaks first, then at
// the last space that fits, else in the middle of a word; tabs count as two spaces and the
// blanks around a cut are dropped. Stops after maxLines lines.
QStringList wrapErrorLines(const QString& text, int width, int maxLines);
