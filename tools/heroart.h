#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The hero's sprites: 28 x 29 pixels, transparent background.
namespace art {

struct NamedImage {
    QString name; // file name without extension
    QImage image;
};

constexpr int heroWidth = 28;
constexpr int heroHeight = 29;

// dos1-3, face1-3, droite1-3, gauche1-3 and mort, in that order. Frame 1 stands, frames 2
// and 3 are the two walking poses.
QList<NamedImage> heroSprites();

} // namespace art
