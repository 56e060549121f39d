#include "engine/enginetesthelpers.h"

#include "project/creation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPoint>
#include <QProcess>

namespace {

const QString kPlayer = QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer");
const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Runs the player headless in dir on script; the buttons file and the screen go to scratch.
GameRun runPlayer(const QString& dir, const QString& scratch, const QString& script, int frames,
                  const QByteArray& buttons) {
    const QString buttonsPath = scratch + QStringLiteral("/buttons.txt");
    const QString screenPath = scratch + QStringLiteral("/screen.png");
    writeAll(buttonsPath, buttons);
    QFile::remove(screenPath);
    QFile::remove(dir + QStringLiteral("/log.txt"));
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(kPlayer, {QStringLiteral("--headless"), QStringLiteral("--frames"),
                            QString::number(frames), QStringLiteral("--buttons"), buttonsPath,
                            QStringLiteral("--screenshot"), screenPath, script});
    GameRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    run.screen = QImage(screenPath).convertToFormat(QImage::Format_ARGB32);
    run.log = readAll(dir + QStringLiteral("/log.txt"));
    return run;
}

bool sameColour(QRgb a, QRgb b) {
    return qRed(a) == qRed(b) && qGreen(a) == qGreen(b) && qBlue(a) == qBlue(b);
}

} // namespace

GameFolder::GameFolder() {
    mValid = mDir.isValid() && copyTree(kData, appDir() + QStringLiteral("/data"))
             && createProject(appDir(), QStringLiteral("Jeu"), QStringLiteral("Testeur"));
}

void GameFolder::write(const QString& relativePath, const QByteArray& bytes) const {
    writeAll(projectDir() + QLatin1Char('/') + relativePath, bytes);
}

void GameFolder::remove(const QString& relativePath) const {
    QFile::remove(projectDir() + QLatin1Char('/') + relativePath);
}

GameRun GameFolder::play(int frames, const QByteArray& buttons, const QString& script) const {
    return runPlayer(projectDir(), appDir(), script, frames, buttons);
}

GameRun GameFolder::playLauncher(int frames, const QByteArray& buttons) const {
    return runPlayer(appDir(), appDir(), QStringLiteral("index.lua"), frames, buttons);
}

QByteArray mapFile(int column, int row, const QList<QByteArray>& rows) {
    QByteArray text = QByteArray::number(column).rightJustified(2, '0')
                      + QByteArray::number(row).rightJustified(2, '0') + "\r\n";
    for (const QByteArray& line : rows)
        text += line + "\r\n";
    return text;
}

QByteArray patternMap(int column, int row) {
    QList<QByteArray> rows;
    for (int r = 1; r <= 9; ++r) {
        QByteArray line;
        for (int c = 1; c <= 17; ++c)
            line += char('0' + (c + r) % 10);
        rows << line;
    }
    return mapFile(column, row, rows);
}

QByteArray collisionFile(const QList<QPoint>& blocked) {
    QByteArray text;
    for (int r = 1; r <= 9; ++r) {
        QByteArray line(17, '0');
        for (const QPoint& cell : blocked)
            if (cell.y() == r)
                line[cell.x() - 1] = '1';
        text += line + "\r\n";
    }
    return text;
}

QImage loadPicture(const QString& dataRelativePath) {
    return QImage(kData + QLatin1Char('/') + dataRelativePath).convertToFormat(QImage::Format_ARGB32);
}

double pictureShare(const QImage& screen, const QImage& picture, int x, int y) {
    int opaque = 0;
    int shown = 0;
    for (int py = 0; py < picture.height(); ++py) {
        for (int px = 0; px < picture.width(); ++px) {
            const QRgb pixel = picture.pixel(px, py);
            if (qAlpha(pixel) != 255 || !screen.valid(x + px, y + py))
                continue;
            ++opaque;
            if (sameColour(screen.pixel(x + px, y + py), pixel))
                ++shown;
        }
    }
    return opaque == 0 ? 0.0 : double(shown) / opaque;
}

bool cellShowsTile(const QImage& screen, const QImage& sheet, int column, int row, int code) {
    const QImage tile = sheet.copy(code * kCellWidth, 0, kCellWidth, kCellHeight);
    return pictureShare(screen, tile, kMapX + (column - 1) * kCellWidth,
                        (row - 1) * kCellHeight) == 1.0;
}

bool cellIsBlack(const QImage& screen, int column, int row) {
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x)
            if (!sameColour(screen.pixel(kMapX + (column - 1) * kCellWidth + x,
                                         (row - 1) * kCellHeight + y), qRgb(0, 0, 0)))
                return false;
    return true;
}

bool heroShownAt(const QImage& screen, int column, int row, const QString& sprite) {
    const QImage picture =
        loadPicture(QStringLiteral("images/personnages/perso01/") + sprite + QStringLiteral(".png"));
    return !picture.isNull()
           && pictureShare(screen, picture, kMapX + (column - 1) * kCellWidth,
                           (row - 1) * kCellHeight) == 1.0;
}

bool textShownAt(const QImage& screen, int x, int y, const QByteArray& text, QRgb colour) {
    // The player draws the text in white on black; its white pixels are the glyphs.
    QTemporaryDir scratch;
    writeAll(scratch.path() + QStringLiteral("/text.txt"), text);
    writeAll(scratch.path() + QStringLiteral("/draw.lua"),
             "local file = io.open('text.txt', 'rb') local text = file:read('*a') file:close()\n"
             "screen:clear(Color.new(0, 0, 0))\n"
             "screen:print(" + QByteArray::number(x) + ", " + QByteArray::number(y)
                 + ", text, Color.new(255, 255, 255))\n"
               "screen.flip()\n");
    const GameRun reference =
        runPlayer(scratch.path(), scratch.path(), QStringLiteral("draw.lua"), 10, QByteArray());
    int glyphPixels = 0;
    for (int py = 0; py < reference.screen.height(); ++py) {
        for (int px = 0; px < reference.screen.width(); ++px) {
            if (!sameColour(reference.screen.pixel(px, py), qRgb(255, 255, 255)))
                continue;
            ++glyphPixels;
            if (!sameColour(screen.pixel(px, py), colour))
                return false;
        }
    }
    return glyphPixels > 0;
}

int centredX(const QByteArray& text) {
    return (480 - int(QString::fromUtf8(text).size()) * 8) / 2;
}
