#include "module1.h"

#include "cp1252.h"
#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::optional<QByteArray> readBytes(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    QFile f(resolvePath(path));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A folder opens on some systems; reading it fails, which is what we want.
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

} // namespace

QString resolvePath(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(u'/');
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString exact = current.isEmpty() || current.endsWith(u'/') ? current + part
                                                                          : current + u'/' + part;
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        QString match;
        if (part != QStringLiteral(".") && part != QStringLiteral("..")) {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            }
        }
        if (match.isEmpty()) {
            // Nothing matches: the rest of the path is kept as given.
            QStringList rest = parts.mid(i);
            return (current.isEmpty() || current.endsWith(u'/') ? current : current + u'/') +
                   rest.join(u'/');
        }
        current = current.isEmpty() || current.endsWith(u'/') ? current + match
                                                              : current + u'/' + match;
    }
    return current;
}

bool writeBytes(const QByteArray& bytes, const QString& path) {
    if (path.isEmpty())
        return false;
    const QString target = resolvePath(path);
    if (QFileInfo::exists(target) && !canReplace(target))
        return false;
    // Unbuffered, so that a short write (full disk, size limit) shows here instead of being
    // lost in a final flush that would commit a truncated file.
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            f.cancelWriting();
            return false;
        }
        done += n;
    }
    if (f.size() != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool canReplace(const QString& path) {
    const QFileInfo info(resolvePath(path));
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir();
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isFile() && (info.permissions() & anyWrite);
}

bool copyFileReplacing(const QString& from, const QString& to) {
    QFile src(resolvePath(from));
    if (!src.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = src.readAll();
    if (src.error() != QFileDevice::NoError)
        return false;
    return writeBytes(data, to);
}

QString readini(const QString& section, const QString& key, const QString& file) {
    const auto bytes = readBytes(file);
    if (!bytes)
        return QString();
    return iniValue(fromCp1252(*bytes), section, key);
}

bool writeini(const QString& section, const QString& key, const QString& value,
              const QString& file) {
    if (file.isEmpty() || !iniWritable(section, key, value))
        return false;
    const QString target = resolvePath(file);
    QString text;
    if (QFileInfo::exists(target)) {
        const auto bytes = readBytes(target);
        if (!bytes)
            return false;
        text = fromCp1252(*bytes);
    }
    const auto updated = iniWithValue(text, section, key, value);
    if (!updated)
        return true;
    return writeBytes(toCp1252(*updated), target);
}

QString readfile(const QString& path) {
    const auto bytes = readBytes(path);
    return bytes ? fromCp1252(*bytes) : QString();
}

bool writefile(const QString& text, const QString& path) {
    if (path.isEmpty())
        return false;
    return writeBytes(toCp1252(text + QStringLiteral("\r\n")), path);
}

QString mapNumberText(int n) {
    return n >= 0 && n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

std::optional<int> wholeNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = (t[0] == u'+' || t[0] == u'-') ? 1 : 0;
    if (i == t.size())
        return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j)
        if (!t[j].isDigit() || t[j].unicode() > 0x7F)
            return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}
