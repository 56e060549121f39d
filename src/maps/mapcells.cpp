#include "maps/mapcells.h"

using namespace mapgrid;

namespace {

// Offset of row r, column c in a file whose row lines are 17 cells and CR LF.
constexpr int lineOffset(int row, int column) { return (row - 1) * 19 + (column - 1); }

QString charAt(const QString& text, qsizetype index) {
    return index < text.size() ? QString(text[index]) : QString();
}

} // namespace

void MapCells::reset() {
    maptiles.fill(QStringLiteral("0"));
    mapcoll.fill(QStringLiteral("0"));
}

void MapCells::loadRows(const QString& mapText, const QString& collisionText) {
    // Every slot the files do not hold becomes empty, so that nothing of a map loaded before
    // is saved into this one. The ninth row is kept too: the editor does not show it, but a
    // save writes it back as the files held it.
    maptiles.fill(QString());
    mapcoll.fill(QString());
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            const int s = slot(r, c);
            maptiles[s] = charAt(mapText, 6 + lineOffset(r, c));
            mapcoll[s] = charAt(collisionText, lineOffset(r, c));
        }
    }
    // The ninth row line ends at its line break, often at once: it is empty until a reset.
    const auto ninthRow = [](const QString& text, qsizetype start, auto& store) {
        for (int c = 1; c <= kColumns; ++c) {
            const QString ch = charAt(text, start + c - 1);
            if (ch.isEmpty() || ch == u'\r' || ch == u'\n')
                break;
            store[slot(kFileRows, c)] = ch;
        }
    };
    ninthRow(mapText, 6 + lineOffset(kFileRows, 1), maptiles);
    ninthRow(collisionText, lineOffset(kFileRows, 1), mapcoll);
}

QString twoDigits(int value) {
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

QString MapCells::mapFileText(int heroX, int heroY) const {
    QString text = twoDigits(heroX) + twoDigits(heroY) + QStringLiteral("\r\n");
    text.reserve(6 + kFileRows * (kColumns + 2));
    for (int r = 1; r <= kFileRows; ++r) {
        for (int c = 1; c <= kColumns; ++c)
            text += maptiles[slot(r, c)];
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString MapCells::collisionFileText() const {
    QString text;
    text.reserve(kFileRows * (kColumns + 2));
    for (int r = 1; r <= kFileRows; ++r) {
        for (int c = 1; c <= kColumns; ++c)
            text += mapcoll[slot(r, c)];
        text += QStringLiteral("\r\n");
    }
    return text;
}
