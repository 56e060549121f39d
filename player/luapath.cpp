#include "player/luapath.h"

#include "project/cp1252.h"
#include "project/module1.h"

#include <QFileInfo>

namespace {

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString pathFromLua(QByteArrayView bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    const QString windows = resolvePath(fromCp1252(bytes.toByteArray()));
    if (isAscii(bytes) || !bytes.isValidUtf8() || QFileInfo::exists(windows))
        return windows;
    const QString utf8 = resolvePath(QString::fromUtf8(bytes));
    return QFileInfo::exists(utf8) ? utf8 : windows;
}

QByteArray pathToLua(const QString& path) {
    const QByteArray windows = toCp1252(path);
    // toCp1252 writes '?' for what the code page lacks: a '?' that was not there means UTF-8.
    if (windows.count('?') == path.count(u'?'))
        return windows;
    return path.toUtf8();
}
