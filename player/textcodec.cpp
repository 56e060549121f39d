#include "player/textcodec.h"

#include "project/cp1252.h"

#include <QStringDecoder>

QString decodeLuaText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}
