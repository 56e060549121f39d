#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The interface pictures: title screen, the two menu boxes and the dialog box.
namespace art {

constexpr int screenWidth = 480;
constexpr int screenHeight = 272;

// Where things are inside the menu boxes; tools/README.md repeats these numbers for the
// engine's author.
struct MenuLayout {
    static constexpr int width = 200;
    static constexpr int height = 80;
    static constexpr QRect entry(int i) { return QRect(10, 11 + 30 * i, 180, 28); }
    static constexpr int textX = 36;   // left edge of the entry texts
    static constexpr int cursorX = 18; // room for an 8 x 8 cursor left of each entry
    static constexpr int cursorY(int i) { return entry(i).y() + 10; }
};

// Inner text area of the dialog box, for the engine's 8 x 8 font.
struct DialogLayout {
    static constexpr int width = 480;
    static constexpr int height = 80;
    static constexpr QRect text() { return QRect(10, 8, 460, 64); }
};

// Where the title screen leaves room for the menu box (screen coordinates).
constexpr QPoint titleMenuPlace(140, 180);

QImage titleScreen();                                  // imgprinc.png
QImage menuBox(const QString& first, const QString& second); // menuprinc / menuingame
QImage dialogBox();                                    // parler.png

} // namespace art
