#include "module1.h"

#include "cp1252.h"
#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<QByteArray> readBytes(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    const QString file = resolvePath(path);
    // Only regular files are read: a folder gives nothing, and a named pipe or a device would
    // block or never end.
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
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

namespace {

// Temporary files of a save are hidden beside their target: ".<name>.~<random>".
QString temporaryPrefix(const QString& fileName) {
    return u'.' + fileName + QStringLiteral(".~");
}

// A save that was killed leaves its temporary file behind: the next save of the file removes
// it.
void removeLeftovers(const QDir& folder, const QString& fileName) {
    const QStringList leftovers = folder.entryList({temporaryPrefix(fileName) + u'*'},
                                                   QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : leftovers)
        QFile::remove(folder.filePath(name));
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // a full disk, or a file size limit (EFBIG once SIGXFSZ is ignored)
        done += n;
    }
    return true;
}

} // namespace

bool writeBytes(const QByteArray& bytes, const QString& path) {
    if (path.isEmpty())
        return false;
    const QString target = resolvePath(path);
    if (!canReplace(target))
        return false;
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    removeLeftovers(folder, info.fileName());

    // The bytes go to a temporary file in the same folder, which is then renamed over the
    // target: a failed write leaves the old file whole, and a symbolic link is replaced by the
    // file instead of its target being written, wherever it points.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = QFile::encodeName(folder.filePath(
            temporaryPrefix(info.fileName()) +
            QString::number(QRandomGenerator::global()->generate(), 36)));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    // A replaced file keeps its permissions.
    if (info.isFile() && !info.isSymLink()) {
        struct stat old {};
        if (::stat(QFile::encodeName(target).constData(), &old) == 0)
            ::fchmod(fd, old.st_mode & 07777);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed ||
        ::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    return true;
}

bool canReplace(const QString& path) {
    const QString target = resolvePath(path);
    const QFileInfo info(target);
    // A symbolic link is replaced itself, whether it points somewhere or nowhere.
    if (info.isSymLink() || !info.exists())
        return QFileInfo(info.absolutePath()).isDir();
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isFile() && (info.permissions() & anyWrite);
}

void reportFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

bool copyFileReplacing(const QString& from, const QString& to) {
    if (!QFileInfo(resolvePath(from)).isFile())
        return false;
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
