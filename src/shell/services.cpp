#include "shell/services.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopDocumentService::open(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
