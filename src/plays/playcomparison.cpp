#include "plays/playcomparison.h"

namespace {

QString place(const GameState& state) {
    return QStringLiteral("colonne %1, ligne %2").arg(state.column(), state.row());
}

} // namespace

qint64 differentPixels(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            count += (l[x] & 0xFFFFFFu) != (r[x] & 0xFFFFFFu);
    }
    return count;
}

PlayVerdict comparePlays(const QImage& expectedScreen, const GameState& expected,
                         const QImage& actualScreen, const GameState& actual) {
    PlayVerdict verdict;
    if (actualScreen.isNull()) {
        verdict.differences << QStringLiteral("Le rejeu n'a pas laissé d'image de fin.");
    } else if (expectedScreen.size() != actualScreen.size()) {
        verdict.differences << QStringLiteral("L'image de fin n'a pas la même taille.");
    } else if (const qint64 pixels = differentPixels(expectedScreen, actualScreen); pixels > 0) {
        verdict.differentPixels = pixels;
        verdict.differences << QStringLiteral("L'image de fin diffère en %1 points.").arg(pixels);
    }
    if (actual.map() != expected.map())
        verdict.differences << QStringLiteral("Carte atteinte : %1 au lieu de %2.")
                                   .arg(actual.map(), expected.map());
    if (actual.column() != expected.column() || actual.row() != expected.row())
        verdict.differences << QStringLiteral("Place du héros : %1 au lieu de %2.")
                                   .arg(place(actual), place(expected));
    if (actual.life() != expected.life())
        verdict.differences << QStringLiteral("Vie : %1 au lieu de %2.")
                                   .arg(actual.life(), expected.life());
    if (actual.frames != expected.frames)
        verdict.differences << QStringLiteral("La partie a duré %1 images au lieu de %2.")
                                   .arg(actual.frames).arg(expected.frames);
    verdict.same = verdict.differences.isEmpty();
    return verdict;
}
