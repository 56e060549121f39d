#pragma once

#include <QString>
#include <QStringList>

// What the control panel shows of a project, read afresh from its projet.ini.
struct ProjectSummary {
    QString name;       // the project folder name
    QString author;     // [Jeu] Auteur
    QString maps;       // [Jeu] cartes, as stored ("02")
    QString combats;    // [Jeu] combats
    QStringList mapNames;  // nom of Carte01 .. Carte<cartes>, empty texts kept; none when
                           // cartes is not a number
    bool complete() const;  // no shown value is empty
};

ProjectSummary readProjectSummary(const QString& appDir, const QString& name);
