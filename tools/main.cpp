// quendal_art: draws every picture supplied with Quendal and writes the map templates.
//
//   quendal_art <data folder> [--preview FILE.png] [--icons FOLDER]
//
// rewrites <data>/images/... and <data>/ftgmma.dat, <data>/ftgmev.dat. The output is the
// same on every run. --preview also writes a magnified contact sheet of everything; --icons
// writes the program's icon into FOLDER/<size>x<size>/apps/quendal.png (a hicolor tree).
#include "heroart.h"
#include "iconart.h"
#include "interfaceart.h"
#include "maptemplates.h"
#include "pixelfont.h"
#include "pixels.h"
#include "tileart.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QPainter>
#include <QTextStream>
#include <cstdio>

namespace {

bool failed = false;

void report(const QString& message) {
    std::fprintf(stderr, "quendal_art: %s\n", qPrintable(message));
    failed = true;
}

void saveImage(const QImage& img, const QString& path, const char* format, int quality = -1) {
    if (!img.save(path, format, quality))
        report(QStringLiteral("cannot write %1").arg(path));
}

void saveBytes(const QByteArray& bytes, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        report(QStringLiteral("cannot write %1").arg(path));
}

QString setNumber(int n) {
    return n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n);
}

// The list of tile codes, shipped beside the sets so that game authors can see which codes
// are walls.
QByteArray tileList(const QList<art::TileSet>& sets) {
    QString text = QStringLiteral(
        "Jeux de textures : code de tuile (0 à 9), image, nom, praticable ou obstacle.\r\n"
        "Le code k est dessiné avec terrain0<k+1>.JPG et occupe x = 28 k dans terrain01.png.\r\n");
    for (const art::TileSet& set : sets) {
        text += QStringLiteral("\r\n%1\r\n").arg(set.title);
        for (int k = 0; k < set.tiles.size(); ++k)
            text += QStringLiteral("  %1  terrain0%2.JPG  %3 (%4)\r\n")
                        .arg(k)
                        .arg(k + 1)
                        .arg(set.tiles[k].name,
                             set.tiles[k].walkable ? QStringLiteral("praticable")
                                                   : QStringLiteral("obstacle"));
    }
    return text.toUtf8();
}

QImage contactSheet(const QList<art::NamedImage>& hero, const QList<art::TileSet>& sets,
                    const QList<art::NamedImage>& ui) {
    const int zoom = 4;
    const int heroRowWidth = hero.size() * (art::heroWidth + 2) * zoom;
    const int width = std::max(heroRowWidth, 10 * (art::tileWidth + 2) * zoom);
    int height = (art::heroHeight + 4) * zoom + sets.size() * (art::tileHeight + 4) * zoom;
    for (const auto& u : ui)
        height += u.image.height() + 8;
    QImage sheet(width, height, QImage::Format_ARGB32);
    sheet.fill(QColor(96, 96, 104));
    QPainter p(&sheet);
    int y = 0;
    for (int i = 0; i < hero.size(); ++i)
        p.drawImage(i * (art::heroWidth + 2) * zoom, y, art::enlarge(hero[i].image, zoom));
    y += (art::heroHeight + 4) * zoom;
    for (const auto& set : sets) {
        for (int k = 0; k < set.tiles.size(); ++k)
            p.drawImage(k * (art::tileWidth + 2) * zoom, y, art::enlarge(set.tiles[k].image, zoom));
        y += (art::tileHeight + 4) * zoom;
    }
    for (const auto& u : ui) {
        p.drawImage(0, y, u.image);
        y += u.image.height() + 8;
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // no window system needed: images only
    const QStringList args = app.arguments();
    QString dataDir, preview, icons;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--preview") && i + 1 < args.size())
            preview = args[++i];
        else if (args[i] == QLatin1String("--icons") && i + 1 < args.size())
            icons = args[++i];
        else if (dataDir.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            dataDir = args[i];
        else {
            dataDir.clear();
            break;
        }
    }
    if (dataDir.isEmpty()) {
        std::fprintf(stderr,
                     "usage: quendal_art <data folder> [--preview FILE.png] [--icons FOLDER]\n");
        return 2;
    }
    // Absolute, so that the folders below are made inside it whether or not the argument was
    // a relative path.
    QDir data(QDir(dataDir).absolutePath());
    if (!data.exists()) {
        report(QStringLiteral("no folder %1").arg(dataDir));
        return 1;
    }

    const QString heroDir = data.filePath(QStringLiteral("images/personnages/perso01"));
    const QString themeDir = data.filePath(QStringLiteral("images/system/theme01"));
    data.mkpath(heroDir);
    data.mkpath(themeDir);

    const QList<art::NamedImage> hero = art::heroSprites();
    for (const auto& h : hero)
        saveImage(h.image, heroDir + QLatin1Char('/') + h.name + QStringLiteral(".png"), "PNG");

    const QList<art::NamedImage> ui = {
        {QStringLiteral("imgprinc"), art::titleScreen()},
        {QStringLiteral("menuprinc"),
         art::menuBox(QStringLiteral("Nouvelle partie"), QStringLiteral("Quitter"))},
        {QStringLiteral("menuingame"),
         art::menuBox(QStringLiteral("Reprendre"), QStringLiteral("Menu principal"))},
        {QStringLiteral("parler"), art::dialogBox()},
    };
    for (const auto& u : ui)
        saveImage(u.image, themeDir + QLatin1Char('/') + u.name + QStringLiteral(".png"), "PNG");

    const QList<art::TileSet> sets = art::allTileSets();
    for (int s = 0; s < sets.size(); ++s) {
        const QString dir =
            data.filePath(QStringLiteral("images/terrains/terrain") + setNumber(s + 1));
        data.mkpath(dir);
        saveBytes(QByteArrayLiteral("[texture]\r\nnbimg=") +
                      QByteArray::number(sets[s].tiles.size()) + "\r\n",
                  dir + QStringLiteral("/texture.ini"));
        for (int k = 0; k < sets[s].tiles.size(); ++k) {
            const QImage opaque = sets[s].tiles[k].image.convertToFormat(QImage::Format_RGB32);
            saveImage(opaque, dir + QStringLiteral("/terrain0%1.JPG").arg(k + 1), "JPG", 95);
        }
        saveImage(art::tileSheet(sets[s]), dir + QStringLiteral("/terrain01.png"), "PNG");
    }
    saveBytes(tileList(sets), data.filePath(QStringLiteral("images/terrains/LISEZMOI.txt")));

    saveBytes(art::mapTemplate(), data.filePath(QStringLiteral("ftgmma.dat")));
    saveBytes(art::collisionTemplate(), data.filePath(QStringLiteral("ftgmev.dat")));

    if (!preview.isEmpty())
        saveImage(contactSheet(hero, sets, ui), preview, "PNG");
    if (!icons.isEmpty()) {
        for (int size : art::iconSizes) {
            const QString dir = QStringLiteral("%1/%2x%2/apps").arg(icons).arg(size);
            QDir().mkpath(dir);
            saveImage(art::programIcon(size), dir + QStringLiteral("/quendal.png"), "PNG");
        }
    }
    return failed ? 1 : 0;
}
