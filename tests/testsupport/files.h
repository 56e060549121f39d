#pragma once

// Whole-file helpers shared by the tests: read and write bytes, list and copy folders.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes, making the missing folders first.
inline bool putFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every file and folder below dir, relative, sorted.
inline QStringList tree(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

inline bool copyTree(const QString& from, const QString& to) {
    for (const QString& rel : tree(from)) {
        const QFileInfo src(from + u'/' + rel);
        if (src.isDir() ? !QDir().mkpath(to + u'/' + rel)
                        : !(QDir().mkpath(QFileInfo(to + u'/' + rel).path()) &&
                            QFile::copy(src.filePath(), to + u'/' + rel)))
            return false;
    }
    return true;
}
