#include "project/apppaths.h"

AppPaths AppPaths::inPlace(const QString& appDir) {
    return AppPaths{appDir + QStringLiteral("/data"), appDir + QStringLiteral("/Doc"),
                    appDir + QStringLiteral("/luaplayer"), appDir};
}
