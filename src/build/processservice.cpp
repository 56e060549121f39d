#include "build/processservice.h"

#include <QProcess>

bool SystemProcessService::startDetached(const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
}
