#pragma once

// Solid-coloured texture sets: set 01 of 12 tiles, set 02 of 4 with its own tile sheet.

#include "testsupport/appfolder.h"

#include <QColor>
#include <QImage>

inline QColor tileColour(int set, int tile) {
    return QColor(set == 1 ? 40 : 220, 18 * tile, set == 1 ? 220 : 40);
}

inline bool nearColour(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 &&
           qAbs(a.blue() - b.blue()) < 12;
}

inline bool saveSolid(const QString& path, QColor colour) {
    QImage img(28, 29, QImage::Format_RGB32);
    img.fill(colour);
    return img.save(path, "JPG", 100);
}

inline void makeTextureSets(const QString& appDir) {
    for (int set : {1, 2}) {
        const int tiles = set == 1 ? 12 : 4;
        const QString folder = appDir + "/data/images/terrains/terrain0" + QString::number(set);
        putFile(folder + "/texture.ini", "[texture]\r\nnbimg=" + QByteArray::number(tiles));
        for (int k = 1; k <= tiles; ++k)
            saveSolid(folder + "/terrain0" + QString::number(k) + ".JPG", tileColour(set, k));
    }
    putFile(appDir + "/data/images/terrains/terrain02/terrain01.png", "sheet 2");
}
