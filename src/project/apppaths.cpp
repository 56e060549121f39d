#include "project/apppaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// QUENDAL_DATA_FROM_BIN, QUENDAL_DOC_FROM_BIN and QUENDAL_PLAYER_FROM_BIN come from the
// install rules: where they put the supplied files, relative to the folder they put the
// program in, so that an installed tree works wherever it lies (a DESTDIR, a package's root).

AppPaths AppPaths::inPlace(const QString& appDir) {
    return AppPaths{appDir + QStringLiteral("/data"), appDir + QStringLiteral("/Doc"),
                    appDir + QStringLiteral("/luaplayer"), appDir};
}

AppPaths AppPaths::installed(const QString& programDir, const QString& workDir) {
    const QDir bin(programDir);
    const auto below = [&bin](const char* relative) {
        return QDir::cleanPath(bin.absoluteFilePath(QString::fromUtf8(relative)));
    };
    return AppPaths{below(QUENDAL_DATA_FROM_BIN), below(QUENDAL_DOC_FROM_BIN),
                    below(QUENDAL_PLAYER_FROM_BIN), workDir};
}

AppPaths AppPaths::forProgram(const QString& programDir, const QString& dataHome) {
    if (QFileInfo(programDir + QStringLiteral("/data")).isDir())
        return inPlace(programDir);
    return installed(programDir, QDir::cleanPath(dataHome + QStringLiteral("/quendal")));
}

AppPaths AppPaths::forProgram(const QString& programDir) {
    return forProgram(programDir,
                      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
