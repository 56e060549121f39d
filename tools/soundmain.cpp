// quendal_sound: draws the sounds supplied with Quendal.
//
//   quendal_sound <data folder>
//
// rewrites <data>/sons/titre.mod (the title screen's tune) and <data>/sons/mur.wav (the hero
// walks into a wall). The output is the same on every run.
#include "soundart.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool save(const QByteArray& bytes, const QString& path) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "quendal_sound: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quendal_sound <data folder>\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]) + QStringLiteral("/sons");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "quendal_sound: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    const bool ok = save(soundart::titleTune(), folder + QStringLiteral("/titre.mod"))
                    & save(encodeWav(soundart::wallSound()), folder + QStringLiteral("/mur.wav"));
    return ok ? 0 : 1;
}
