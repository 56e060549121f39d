#pragma once

#include "player/image.h"

// The 480 x 272 display with two pages: drawing goes to the back page, flip() shows it and
// hands the previously shown page back for drawing. Both pages start opaque black.
class Screen {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 272;

    Screen();

    Image& back() { return mPages[mBack]; }
    const Image& front() const { return mPages[1 - mBack]; }
    void flip() { mBack = 1 - mBack; }
    // The shown page as the display shows it: alpha ignored.
    QImage visible() const;

private:
    Image mPages[2];
    int mBack = 0;
};
