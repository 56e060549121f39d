#pragma once

#include <QString>

struct AppPaths;

// A project name that stays inside the projects root (not empty, no "/" or "\", not "." or
// "..", not an absolute path), that holds no double quote (it goes between quotes into the
// test run's launcher), and that reads back from projet.ini as itself (no control
// characters, no surrounding blanks or quotes, at most 254 characters, all in Windows-1252).
bool isSafeProjectName(const QString& name);

// Builds a new project folder under the projects root from the supplied data: the folder,
// projet.ini, the folder tree, the hero and interface images, the engine scripts, map 01 and
// variables.lua, in that order. Stops at the first failure and leaves what was made so far.
// Refuses an unsafe name, an author holding a line break, or a folder that exists in any
// letter case, without writing anything. True on success.
bool createProject(const AppPaths& paths, const QString& name, const QString& author);
