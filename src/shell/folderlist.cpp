#include "folderlist.h"

#include <QDir>
#include <QFileIconProvider>

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        setCurrentFolder(item->data(Qt::UserRole).toString());
    });
}

void FolderList::setCurrentFolder(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!QDir(clean).exists())
        return;
    mCurrent = clean;
    fill();
    emit currentFolderChanged(mCurrent);
}

void FolderList::setRootFolder(const QString& path) {
    mRoot = path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath());
}

void FolderList::fill() {
    clear();
    static const QFileIconProvider icons;
    const QIcon folderIcon = icons.icon(QFileIconProvider::Folder);

    // Ancestors from the root down to the current folder.
    QStringList chain;
    for (QDir d(mCurrent);; ) {
        chain.prepend(d.absolutePath());
        if (d.absolutePath() == mRoot || d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        const QString name = QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QDir(p).dirName();
        auto* item = new QListWidgetItem(folderIcon, QString(depth * 2, u' ') + name, this);
        item->setData(Qt::UserRole, p);
        if (p == mCurrent) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            setCurrentItem(item);
        }
        ++depth;
    }
    const QStringList subs =
        QDir(mCurrent).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs) {
        auto* item = new QListWidgetItem(folderIcon, QString(depth * 2, u' ') + s, this);
        item->setData(Qt::UserRole, QDir(mCurrent).filePath(s));
    }
}
