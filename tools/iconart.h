#pragma once

#include <QImage>
#include <QList>

// The program's icon for the desktop's menu: a corner of a tile map, its editor grid drawn
// over it, with the hero standing on the path, on a card with rounded corners.
namespace art {

// The sizes of the hicolor icon theme the icon is drawn at.
inline const QList<int> iconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// size x size pixels, transparent around the card.
QImage programIcon(int size);

} // namespace art
