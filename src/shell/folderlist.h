#pragma once

#include <QListWidget>

// A folder list: the folders on the path to the current folder, then the current folder's
// subfolders, indented by depth. A double click makes a folder current; a single click only
// highlights it.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString currentFolder() const { return mCurrent; }
    void setCurrentFolder(const QString& path);
    // The list shows no folder above this one (the root of the file system by default), as a
    // drive's folder list starts at the drive.
    void setRootFolder(const QString& path);

signals:
    void currentFolderChanged(const QString& path);

private:
    void fill();

    QString mCurrent;
    QString mRoot;
};
