#pragma once

#include "player/color.h"

#include <QRawFont>
#include <QSize>
#include <QString>

class Image;

// A TrueType font drawn through Qt's font engine, antialiased. Sizes are in pixels; a width
// other than the height stretches the glyphs sideways.
class TextFont {
public:
    static constexpr int kDefaultSize = 16;
    static constexpr int kMaxSize = 512; // no image is larger

    // Throws std::runtime_error when the file is no font Qt can read.
    static TextFont load(const QString& path);
    // The player's own fonts (DejaVu Sans Mono and DejaVu Sans, else the system's).
    static TextFont monoSpaced();
    static TextFont proportional();

    // A zero width or height takes the other one; both zero change nothing; sizes above
    // kMaxSize are kMaxSize.
    void setPixelSizes(int width, int height);
    int pixelWidth() const { return mWidth; }
    int pixelHeight() const { return mHeight; }

    // Width: the advance of the whole text; height: the font's line height.
    QSize textSize(const QString& text) const;
    // Draws the text with its baseline on row boundary y: glyphs without descent end on row
    // y - 1. Only glyph pixels change, blended by their coverage. x and y are expected within
    // a few million pixels of the image.
    void print(Image& image, int x, int y, const QString& text, Color color) const;

private:
    explicit TextFont(QRawFont font);
    double stretch() const { return double(mWidth) / mHeight; }

    QRawFont mFont;
    int mWidth = kDefaultSize;
    int mHeight = kDefaultSize;
};
