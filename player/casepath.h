#pragma once

#include <QString>

// Names on the console's Memory Stick ignore letter case. resolveCase returns `path` when it
// exists; otherwise, walking its parts from the left, each part that does not exist is
// replaced by the one entry of its folder with the same name ignoring case. Parts left with
// no match (a file about to be created) are kept as written.
QString resolveCase(const QString& path);
