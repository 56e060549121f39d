#include "services.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool SystemProcessService::startDetached(const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
}

void DesktopDocumentService::open(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
