#include "player/textfont.h"

#include "player/image.h"

#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

const char kDejaVuFolder[] = "/usr/share/fonts/truetype/dejavu/";

QRawFont rawFont(const QByteArray& data) {
    return QRawFont(data, TextFont::kDefaultSize, QFont::PreferFullHinting);
}

QRawFont bundled(const char* file, QFontDatabase::SystemFont fallback) {
    QFile f(QString::fromLatin1(kDejaVuFolder) + QLatin1String(file));
    if (f.open(QIODevice::ReadOnly)) {
        QRawFont font = rawFont(f.readAll());
        if (font.isValid())
            return font;
    }
    QFont system = QFontDatabase::systemFont(fallback);
    system.setPixelSize(TextFont::kDefaultSize);
    return QRawFont::fromFont(system);
}

} // namespace

TextFont::TextFont(QRawFont font) : mFont(std::move(font)) {}

TextFont TextFont::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot open font: " + path.toStdString());
    QRawFont font = rawFont(f.readAll());
    if (!font.isValid())
        throw std::runtime_error("cannot load font: " + path.toStdString());
    return TextFont(std::move(font));
}

TextFont TextFont::monoSpaced() {
    return TextFont(bundled("DejaVuSansMono.ttf", QFontDatabase::FixedFont));
}

TextFont TextFont::proportional() {
    return TextFont(bundled("DejaVuSans.ttf", QFontDatabase::GeneralFont));
}

void TextFont::setPixelSizes(int width, int height) {
    width = std::clamp(width, 0, kMaxSize);
    height = std::clamp(height, 0, kMaxSize);
    if (width == 0 && height == 0)
        return;
    mWidth = width ? width : height;
    mHeight = height ? height : width;
    mFont.setPixelSize(mHeight);
}

QSize TextFont::textSize(const QString& text) const {
    double advance = 0;
    for (const QPointF& a : mFont.advancesForGlyphIndexes(mFont.glyphIndexesForString(text)))
        advance += a.x();
    const double width = std::min(std::ceil(advance * stretch() - 1e-6), double(INT_MAX));
    return QSize(int(width), int(std::ceil(mFont.ascent() + mFont.descent() - 1e-6)));
}

void TextFont::print(Image& image, int x, int y, const QString& text, Color color) const {
    const QList<quint32> glyphs = mFont.glyphIndexesForString(text);
    if (glyphs.isEmpty())
        return;
    // The glyphs' coverage is drawn on a transparent sheet covering the part of the text's box
    // (with room for overhangs) that lies on the image, then the colour, its alpha scaled by
    // the coverage, is laid over the image as any picture is.
    const int margin = mHeight / 2 + 2;
    const int ascent = int(std::ceil(mFont.ascent()));
    const qint64 width = qint64(textSize(text).width()) + 2 * margin;
    const qint64 height = ascent + qint64(std::ceil(mFont.descent())) + 2 * margin;
    const qint64 left = std::max<qint64>(qint64(x) - margin, 0);
    const qint64 top = std::max<qint64>(qint64(y) - margin - ascent, 0);
    const qint64 right = std::min<qint64>(qint64(x) - margin + width, image.width());
    const qint64 bottom = std::min<qint64>(qint64(y) - margin - ascent + height, image.height());
    if (left >= right || top >= bottom)
        return;
    QImage coverage(int(right - left), int(bottom - top), QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    QList<QPointF> positions;
    double pen = 0;
    for (const QPointF& a : mFont.advancesForGlyphIndexes(glyphs)) {
        positions.append(QPointF(pen, 0));
        pen += a.x();
    }
    QGlyphRun run;
    run.setRawFont(mFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    {
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(Qt::white);
        painter.translate(double(x - left), double(y - top));
        painter.scale(stretch(), 1.0);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    QImage ink(coverage.size(), QImage::Format_ARGB32);
    for (int row = 0; row < ink.height(); ++row) {
        const auto* c = reinterpret_cast<const QRgb*>(coverage.constScanLine(row));
        auto* d = reinterpret_cast<QRgb*>(ink.scanLine(row));
        for (int col = 0; col < ink.width(); ++col)
            d[col] = qRgba(color.r, color.g, color.b, (qAlpha(c[col]) * color.a + 127) / 255);
    }
    image.blit(int(left), int(top), Image(std::move(ink)), true);
}
