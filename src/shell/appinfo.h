#pragma once

#include <QString>

// Title of the program's message boxes.
inline const QString AppTitle = QStringLiteral("Quendal");
// Where users are sent when something is wrong with their project.
inline const QString SupportSite = QStringLiteral("quendal.example");
