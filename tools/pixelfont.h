#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The art tool's own proportional bitmap font: capitals 7 pixels high, lower case with
// descenders, 9 rows in all. Pictures never depend on the fonts installed on the machine.
namespace art {

struct TextStyle {
    int scale = 1;
    QColor top = Qt::white;      // fill colour at the top of the letters
    QColor bottom = Qt::white;   // fill colour at the bottom (vertical gradient)
    QColor outline;              // invalid: no outline
    int outlineWidth = 1;        // in screen pixels
    QColor shadow;               // invalid: no shadow
    int shadowOffset = 1;        // in screen pixels, down and to the right
};

constexpr int fontHeight = 9;   // rows per line, descenders included
constexpr int fontAscent = 7;   // rows above the baseline

// Width of text in font pixels (multiply by the scale for screen pixels).
int textWidth(const QString& text);
// Draws text with its top-left corner at (x, y) of img.
void drawText(QImage& img, int x, int y, const QString& text, const TextStyle& style);

} // namespace art
