#pragma once

// Event script files: the ordered Lua lines of one map cell, stored in
// <project folder>/ev/map<MM>/ev<R><C> (row then column in plain decimal, no
// separator, no extension). On disk every line is preceded by CR LF and the file ends with
// CR LF, so an empty script is the two bytes CR LF.

#include <QSet>
#include <QString>
#include <QStringList>

// Path of a cell's script. map is the map number text ("01", "10"); row and column are in
// plain decimal.
QString eventScriptPath(const QString& projectDir, const QString& map, const QString& row,
                        const QString& column);

// Text handed to writefile (which adds the final CR LF): CR LF before every non-empty line.
QString eventScriptText(const QStringList& lines);

// Lines of a stored script: the first two characters are skipped, the rest is cut at every
// CR LF and whatever follows the last CR LF is dropped. Fewer than four characters give no
// line.
QStringList eventScriptLines(const QString& text);

// Replaces the cell's file with the lines (empty entries are left out). False when the file
// could not be written.
bool saveevent(const QStringList& lines, const QString& path);

// Lines of the cell's file; a missing or unreadable file gives no line. Callers append them
// to their list.
QStringList loadevent(const QString& path);

// Slots (see mapgrid) of the cells of the 8 rows shown whose script file in the map's folder
// holds at least one non-empty line: the cells the map canvas marks as having an event.
QSet<int> scriptedCells(const QString& projectDir, const QString& map);
