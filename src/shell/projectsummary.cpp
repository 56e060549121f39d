#include "projectsummary.h"

#include "project/module1.h"
#include "project/paths.h"

bool ProjectSummary::complete() const {
    return !name.isEmpty() && !author.isEmpty() && !maps.isEmpty() && !combats.isEmpty();
}

ProjectSummary readProjectSummary(const QString& appDir, const QString& name) {
    const QString ini = projectIni(appDir, name);
    const QString jeu = QStringLiteral("Jeu");
    ProjectSummary s;
    s.name = name;
    s.author = readini(jeu, QStringLiteral("Auteur"), ini);
    s.maps = readini(jeu, QStringLiteral("cartes"), ini);
    s.combats = readini(jeu, QStringLiteral("combats"), ini);
    const int count = wholeNumber(s.maps).value_or(0);
    for (int i = 1; i <= count; ++i)
        s.mapNames.append(readini(QStringLiteral("carte") + mapNumberText(i), QStringLiteral("nom"), ini));
    return s;
}
