#pragma once

// Lua 5.1 syntax check of the generated scripts before the game starts: each start value and
// each cell's script is compiled on its own, so that a fault names its variable or its cell,
// then each whole file. Nothing is run.

#include "build/compiler.h"

#include <optional>

// Added to the message of a refused start value or cell whose text holds a double quote or a
// backslash: typed texts go into the Lua line unchanged, so these must be written as in Lua.
inline const QString kQuoteHint = QStringLiteral(
    "Dans un texte, écrivez \\\" pour un guillemet (\") et \\\\ pour une barre oblique "
    "inverse (\\).");

// A French message naming the first fault and quoting Lua's message, or nothing when both
// scripts compile.
std::optional<QString> checkGameScripts(const GameScripts& scripts);
