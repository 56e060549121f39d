#pragma once

// What the test run and finalising share after building: which generated files could not be
// written, and how that is said.

#include "build/compiler.h"

#include <QStringList>

// The generated files that could not be written, in the order the build writes them.
QStringList unwrittenFiles(const CompileResult& build);
// "Impossible d'écrire le fichier <path>", one line per file, each ended by a line break.
QString unwrittenText(const QStringList& paths);
