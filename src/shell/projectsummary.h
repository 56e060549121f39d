#pragma once

#include "build/compiler.h"

#include <QString>
#include <QStringList>

// What the control panel shows of a project, read afresh from its projet.ini: the four values
// the build also reports, and the map names.
struct ProjectSummary : BuildSummary {
    QStringList mapNames;  // nom of Carte01 .. Carte<cartes>, empty texts kept; none when
                           // cartes is not a number
    bool complete() const;  // no shown value is empty
};

ProjectSummary readProjectSummary(const QString& appDir, const QString& name);
