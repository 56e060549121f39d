#include "build/gamecopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kPiece = 256 * 1024;
const QString kUnchanged = QStringLiteral("\nRien n'a été changé dans ");

// A file descriptor closed on every way out.
class Fd {
public:
    explicit Fd(int fd) : mFd(fd) {}
    ~Fd() {
        if (mFd >= 0)
            ::close(mFd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return mFd; }
    // Closes now: a medium may report a failed write only here. 0 or the error number.
    int close() {
        const int result = ::close(mFd) == 0 ? 0 : errno;
        mFd = -1;
        return result;
    }

private:
    int mFd;
};

// A new hidden folder beside the target for the copy, made by this run only.
QString makeStagingFolder(const QString& destination, int* error) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString path = destination + QStringLiteral("/.quendal-copie-") +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        if (::mkdir(QFile::encodeName(path).constData(), 0755) == 0)
            return path;
        if (errno != EEXIST) {
            *error = errno;
            return QString();
        }
    }
    *error = EEXIST;
    return QString();
}

bool removeAll(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

// Writes every byte, retrying short writes. 0 or the error number.
int writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= n;
    }
    return 0;
}

// Flushes what the file system holds for the folder's volume to the medium.
int syncVolume(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return errno;
    Fd dir(fd);
    return ::syncfs(dir.get()) == 0 ? 0 : errno;
}

class Copier {
public:
    Copier(const ExportPlan& plan, const ExportControl& control, const QString& staging)
        : mPlan(plan), mControl(control), mStaging(staging) {}

    // Copies every file into the staging folder; the error text, or empty.
    QString copyAll(bool* cancelled) {
        for (const GameFile& file : mPlan.files.files) {
            if (isCancelled()) {
                *cancelled = true;
                return QString();
            }
            const QString error = copyOne(file, cancelled);
            if (!error.isEmpty() || *cancelled)
                return error;
        }
        return QString();
    }

private:
    bool isCancelled() const { return mControl.cancel && mControl.cancel->load(); }

    QString writeError(const QString& relative, int error) const {
        return QStringLiteral("Impossible d'écrire le fichier ") + relative +
               QStringLiteral(" du jeu dans ") + mPlan.destination + QStringLiteral(" : ") +
               writeFailureReason(error) + u'.';
    }

    void advance(qint64 bytes) {
        mDone += bytes;
        if (mControl.progress)
            mControl.progress(mDone, mPlan.files.bytes);
    }

    // Makes the folder of a file once; folders made before are known.
    bool makeFolderOf(const QString& relative) {
        const qsizetype slash = relative.lastIndexOf(u'/');
        if (slash < 0)
            return true;
        const QString folder = relative.left(slash);
        if (mFolders.contains(folder))
            return true;
        if (!QDir().mkpath(mStaging + u'/' + folder))
            return false;
        mFolders.insert(folder);
        return true;
    }

    QString readError(const QString& source, int error) const {
        return QStringLiteral("Impossible de lire le fichier ") + source + QStringLiteral(" : ") +
               QString::fromLocal8Bit(std::strerror(error)) + u'.';
    }

    QString copyOne(const GameFile& file, bool* cancelled) {
        if (!makeFolderOf(file.relative))
            return QStringLiteral("Impossible de créer le dossier ") +
                   file.relative.left(file.relative.lastIndexOf(u'/')) +
                   QStringLiteral(" du jeu dans ") + mPlan.destination + u'.';
        const int fd = ::open(QFile::encodeName(mStaging + u'/' + file.relative).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return writeError(file.relative, errno);
        Fd out(fd);

        if (file.source.isEmpty()) {
            if (const int error = writeAll(out.get(), file.bytes.constData(), file.bytes.size()))
                return writeError(file.relative, error);
            advance(file.bytes.size());
        } else {
            const int source = ::open(QFile::encodeName(file.source).constData(), O_RDONLY | O_CLOEXEC);
            if (source < 0)
                return readError(file.source, errno);
            Fd in(source);
            for (;;) {
                if (isCancelled()) {
                    *cancelled = true;
                    return QString();
                }
                const ssize_t n = ::read(in.get(), mBuffer.data(), mBuffer.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    return readError(file.source, errno);
                if (n == 0)
                    break;
                if (const int error = writeAll(out.get(), mBuffer.data(), n))
                    return writeError(file.relative, error);
                advance(n);
            }
        }
        if (const int error = out.close())
            return writeError(file.relative, error);
        return QString();
    }

    const ExportPlan& mPlan;
    const ExportControl& mControl;
    QString mStaging;
    QSet<QString> mFolders;
    std::vector<char> mBuffer = std::vector<char>(kPiece);
    qint64 mDone = 0;
};

// A name beside the target that nothing has, for what is set aside.
QString freeHiddenName(const QString& destination) {
    QString path;
    do {
        path = destination + QStringLiteral("/.quendal-ancien-") +
               QString::number(QRandomGenerator::global()->generate(), 36);
    } while (QFileInfo::exists(path) || QFileInfo(path).isSymLink());
    return path;
}

// Renames the finished folder into place, setting aside what was there; on failure, what was
// there goes back. The error text, or empty.
QString putInPlace(const ExportPlan& plan, const QString& staging) {
    const QByteArray target = QFile::encodeName(plan.target);
    QByteArray setAside;
    if (QFileInfo::exists(plan.target) || QFileInfo(plan.target).isSymLink()) {
        setAside = QFile::encodeName(freeHiddenName(plan.destination));
        if (::rename(target.constData(), setAside.constData()) != 0)
            return QStringLiteral("Impossible de remplacer ") + plan.target + QStringLiteral(" : ") +
                   writeFailureReason(errno) + u'.';
    }
    if (::rename(QFile::encodeName(staging).constData(), target.constData()) != 0) {
        const int error = errno;
        if (!setAside.isEmpty())
            ::rename(setAside.constData(), target.constData());
        return QStringLiteral("Impossible de mettre le jeu en place dans ") + plan.target +
               QStringLiteral(" : ") + writeFailureReason(error) + u'.';
    }
    if (!setAside.isEmpty())
        removeAll(QFile::decodeName(setAside));
    return QString();
}

// Writes the folder's own entries (a rename) to the medium.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString writeFailureReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le support est plein");
    case EFBIG:
        return QStringLiteral("le fichier est trop gros pour ce support");
    case EROFS:
        return QStringLiteral("le support est protégé en écriture");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EIO:
    case ENODEV:
    case ENXIO:
    case ENOENT:
        return QStringLiteral("le support a été retiré ou ne répond plus");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

ExportResult copyGame(const ExportPlan& plan, const ExportControl& control) {
    ExportResult result;
    int error = 0;
    const QString staging = makeStagingFolder(plan.destination, &error);
    if (staging.isEmpty()) {
        result.error = QStringLiteral("Impossible d'écrire dans le dossier ") + plan.destination +
                       QStringLiteral(" : ") + writeFailureReason(error) + u'.';
        return result;
    }
    Copier copier(plan, control, staging);
    result.error = copier.copyAll(&result.cancelled);
    // Everything on the medium before the rename: a stick pulled out afterwards holds a
    // whole game, or the one it held before.
    if (result.error.isEmpty() && !result.cancelled) {
        if (const int synced = syncVolume(staging))
            result.error = QStringLiteral("Impossible d'écrire le jeu dans ") + plan.destination +
                           QStringLiteral(" : ") + writeFailureReason(synced) + u'.';
        else
            result.error = putInPlace(plan, staging);
    }
    if (!result.error.isEmpty() || result.cancelled) {
        // A medium pulled out keeps what was written on it: the hidden folder may stay there.
        const bool removed = removeAll(staging) || !QFileInfo::exists(staging);
        if (!result.error.isEmpty())
            result.error += removed ? kUnchanged + plan.destination + u'.'
                                    : QStringLiteral("\nLe dossier caché ") + staging +
                                          QStringLiteral(" est peut-être resté sur le support : "
                                                         "vous pouvez l'effacer.");
        return result;
    }
    syncFolder(plan.destination);
    result.done = true;
    return result;
}
