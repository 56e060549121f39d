#include "player/wavfile.h"

#include <QtEndian>

#include <stdexcept>

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatExtensible = 0xFFFE;
constexpr int kHeaderBytes = 44;

std::runtime_error invalid(const char* what) {
    return std::runtime_error(std::string("invalid WAV file: ") + what);
}

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

QByteArray header(int rate, int channels, quint32 dataBytes) {
    QByteArray h(kHeaderBytes, '\0');
    char* p = h.data();
    const auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, p + at); };
    const auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, p + at); };
    std::copy_n("RIFF", 4, p);
    put32(4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, p + 8);
    put32(16, 16);
    put16(20, kFormatPcm);
    put16(22, quint16(channels));
    put32(24, quint32(rate));
    put32(28, quint32(rate * channels * 2));
    put16(32, quint16(channels * 2));
    put16(34, 16);
    std::copy_n("data", 4, p + 36);
    put32(40, dataBytes);
    return h;
}

} // namespace

PcmSound decodeWav(const QByteArray& bytes) {
    const char* data = bytes.constData();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        throw invalid("not a RIFF WAVE file");
    int format = 0, channels = 0, rate = 0, bits = 0;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(data + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min<qsizetype>(size, bytes.size() - body);
        if (id == "fmt ") {
            if (available < 16)
                throw invalid("short format chunk");
            format = u16(data + body);
            channels = u16(data + body + 2);
            rate = static_cast<int>(u32(data + body + 4));
            bits = u16(data + body + 14);
            if (format == kFormatExtensible && available >= 26)
                format = u16(data + body + 24); // the sub-format's first two bytes
        } else if (id == "data") {
            if (format != kFormatPcm)
                throw invalid("only PCM samples are read");
            if ((bits != 8 && bits != 16) || channels < 1 || channels > 2 || rate < 1)
                throw invalid("8 or 16 bits, mono or stereo expected");
            PcmSound sound;
            sound.rate = rate;
            sound.channels = channels;
            const int width = bits / 8;
            const qsizetype count = available / width / channels * channels;
            sound.samples.resize(static_cast<size_t>(count));
            for (qsizetype i = 0; i < count; ++i) {
                const char* s = data + body + i * width;
                sound.samples[size_t(i)] = width == 1 ? std::int16_t((quint8(*s) - 128) << 8)
                                                      : std::int16_t(u16(s));
            }
            return sound;
        }
        at = body + size + (size & 1); // chunks are padded to an even size
    }
    throw invalid("no sample data");
}

PcmSound loadWav(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot open sound file: " + path.toStdString());
    return decodeWav(file.readAll());
}

QByteArray encodeWav(const PcmSound& sound) {
    const quint32 dataBytes = quint32(sound.samples.size() * 2);
    QByteArray bytes = header(sound.rate, sound.channels, dataBytes);
    bytes.reserve(kHeaderBytes + dataBytes);
    for (const std::int16_t s : sound.samples) {
        char le[2];
        qToLittleEndian(s, le);
        bytes.append(le, 2);
    }
    return bytes;
}

WavWriter::WavWriter(const QString& path, int rate, int channels)
    : mFile(path), mRate(rate), mChannels(channels) {
    if (!mFile.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || mFile.write(header(rate, channels, 0)) != kHeaderBytes)
        throw std::runtime_error("cannot write " + path.toStdString());
}

WavWriter::~WavWriter() {
    close();
}

void WavWriter::append(const std::int16_t* samples, std::int64_t count) {
    if (!mFile.isOpen())
        return;
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        mFile.write(reinterpret_cast<const char*>(samples), count * 2);
    } else {
        for (std::int64_t i = 0; i < count; ++i) {
            char le[2];
            qToLittleEndian(samples[i], le);
            mFile.write(le, 2);
        }
    }
    mDataBytes += count * 2;
}

void WavWriter::close() {
    if (!mFile.isOpen())
        return;
    mFile.seek(0);
    mFile.write(header(mRate, mChannels, quint32(mDataBytes)));
    mFile.close();
}
