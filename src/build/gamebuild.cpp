#include "build/gamebuild.h"

QStringList unwrittenFiles(const CompileResult& build) {
    QStringList unwritten;
    if (!build.variablesWritten)
        unwritten.append(build.variablesPath);
    if (!build.eventsWritten)
        unwritten.append(build.eventsPath);
    if (!build.infosWritten)
        unwritten.append(build.infosPath);
    return unwritten;
}

QString unwrittenText(const QStringList& paths) {
    QString text;
    for (const QString& path : paths)
        text += QStringLiteral("Impossible d'écrire le fichier ") + path + u'\n';
    return text;
}
