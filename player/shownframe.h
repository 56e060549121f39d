#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

class QPainter;

// The console page as the display shows it: its own opaque copy (alpha ignored), kept between
// frames so that a new page only costs what changed. Knows nothing of windows.
class ShownFrame {
public:
    ShownFrame(); // black

    // Copies the page in (ARGB32, the screen's size) and returns the rectangle of console
    // pixels that differ from the page shown before; empty when nothing changed.
    QRect take(const QImage& page);
    const QImage& image() const { return mImage; }

    // Paints the part `region` of a window that shows the frame scaled onto `target`, black
    // around it, through a painter: any scale.
    void paint(QPainter& painter, const QRect& target, const QRegion& region) const;
    // The same straight into a 32-bit picture of the window when `target` is a whole multiple
    // of the frame: each console pixel repeated, one pass, only inside `area`.
    void paintScaled(QImage& window, const QRect& target, const QRect& area) const;
    // The window pixels that show the console pixels `area` when the frame fills `target`.
    static QRect windowArea(const QRect& target, const QRect& area);

private:
    QImage mImage; // RGB32
};
