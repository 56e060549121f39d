// Sound and music: the real luaplayer records its mix with --audio-out and the recording is
// checked sample by sample; the mixer and the WAV reader are also checked on their own.
#include "modwriter.h"
#include "player/mixer.h"
#include "player/modulemusic.h"
#include "playerprogram.h"
#include "soundart.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

constexpr int kFrame = AudioOutput::kFrameSamples;
using Samples = std::vector<std::int16_t>;

// A mono tone whose samples all differ from their neighbours, so a shift would show.
PcmSound tone(int frames, int rate = 44100) {
    PcmSound s;
    s.rate = rate;
    for (int i = 0; i < frames; ++i)
        s.samples.push_back(std::int16_t(std::lround(9000 * std::sin(i * 0.07)) + (i % 7) * 10));
    return s;
}

// A looping square wave held at C-2 from the first row; `breakAtRow` ends the song there.
QByteArray squareModule(int breakAtRow = -1) {
    tracker::Sample square;
    square.name = "square";
    for (int i = 0; i < 32; ++i)
        square.data.push_back(std::int8_t(i < 16 ? 100 : -100));
    square.loopLength = 32;
    tracker::Song song;
    song.samples = {square};
    song.patterns.resize(1);
    song.patterns[0][0][0] = tracker::Cell{tracker::period("C-2"), 1, 0, 0};
    if (breakAtRow >= 0)
        song.patterns[0][size_t(breakAtRow)][1] = tracker::Cell{0, 0, tracker::kPatternBreak, 0};
    song.order = {0};
    return tracker::encodeMod(song);
}

struct Recording : ProgramRun {
    PcmSound sound;
    int frames() const { return int(sound.frames()); }
    std::int16_t left(int frame) const { return sound.samples[size_t(2 * frame)]; }
    std::int16_t right(int frame) const { return sound.samples[size_t(2 * frame + 1)]; }
    int peak(int from, int to) const { return ::peak(sound, from, to); }
    bool silent(int from, int to) const { // in frames of samples, both sides
        return std::all_of(sound.samples.begin() + 2 * from, sound.samples.begin() + 2 * to, [](auto v) { return v == 0; });
    }
};

// Runs the script in dir for the frames, recording the sound.
Recording record(const QString& dir, const QByteArray& script, int frames) {
    putFile(dir + "/jeu.lua", script);
    QFile::remove(dir + "/son.wav");
    return {runLuaplayer(dir, {"--headless", "--frames", QString::number(frames), "--audio-out", "son.wav", "jeu.lua"}),
            recordedSound(dir + "/son.wav")};
}

Samples render(Mixer& mixer, int frames) {
    Samples out(size_t(frames) * 2);
    mixer.render(out.data(), frames);
    return out;
}

// The low `bytes` of v, little-endian as x86 and ARM hold it.
QByteArray le(quint32 v, int bytes) {
    return QByteArray(reinterpret_cast<const char*>(&v), bytes);
}

QByteArray chunk(const QByteArray& id, const QByteArray& body) {
    return id + le(quint32(body.size()), 4) + body;
}

// A format chunk; `extensible` adds the extension whose sub-format starts with the PCM tag.
QByteArray wavHeader(int format, int channels, int rate, int bits, bool extensible = false) {
    QByteArray fmt = le(format, 2) + le(channels, 2) + le(rate, 4) + le(rate * channels * bits / 8, 4) +
                     le(channels * bits / 8, 2) + le(bits, 2);
    if (extensible)
        fmt += le(22, 2) + le(bits, 2) + le(0, 4) + le(1, 2) + QByteArray(14, '\0');
    return chunk("fmt ", fmt);
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(quint32(chunks.size() + 4), 4) + "WAVE" + chunks;
}

} // namespace

class TestPlayerSound : public QObject {
    Q_OBJECT
    QTemporaryDir mDir;

private slots:
    // Started after 10 blanks, set to half volume after 4 more, stopped after 4 more.
    void soundStartsWhereItWasPlayedThenHalvesAndStops() {
        const PcmSound t = tone(8000);
        QVERIFY(putFile(mDir.filePath("Tonalite.WAV"), encodeWav(t)));
        const Recording r = record(mDir.path(), R"(
local s = Sound.load("tonalite.wav") screen.waitVblankStart(10)
local v = s:play() assert(v:playing()) screen.waitVblankStart(4)
v:volume(128) screen.waitVblankStart(4)
v:stop() assert(not v:playing()) screen.waitVblankStart(30)
)", 22);
        QVERIFY2(r.exitCode == 0, r.errors.constData());
        QCOMPARE(r.frames(), 22 * kFrame); // one frame's worth per vertical blank, exactly
        QCOMPARE(r.sound.channels, 2);
        QCOMPARE(r.sound.rate, 44100);
        const int start = 10 * kFrame;
        QVERIFY(r.silent(0, start));
        for (int i = 0; i < 4 * kFrame; ++i)
            QVERIFY(r.left(start + i) == t.samples[size_t(i)] && r.right(start + i) == t.samples[size_t(i)]);
        for (int i = 4 * kFrame; i < 8 * kFrame; ++i)
            QVERIFY(std::abs(r.left(start + i) - t.samples[size_t(i)] * 128 / 255) <= 1);
        QVERIFY(r.silent(18 * kFrame, r.frames())); // after the stop
    }

    // Starts at once, halved at volume 64, held by pause, silenced by stop; one played once
    // ends on its own; a file that is no module plays nothing.
    void modulePlaysAtItsVolumeAndStops() {
        QVERIFY(putFile(mDir.filePath("petit.mod"), squareModule()));
        QVERIFY(putFile(mDir.filePath("court.mod"), squareModule(1)));
        QVERIFY(putFile(mDir.filePath("texte.mod"), "pas une musique"));
        const Recording r = record(mDir.path(), R"(
assert(Music.volume() == 96 and not Music.playing())
Music.volume(128) Music.playFile("PETIT.mod", true) assert(Music.playing()) screen.waitVblankStart(20)
assert(Music.volume(64) == 64) screen.waitVblankStart(20)
Music.pause() assert(Music.playing()) screen.waitVblankStart(5)
Music.resume() screen.waitVblankStart(5)
Music.stop() assert(not Music.playing()) screen.waitVblankStart(10)
Music.playFile("court.mod") screen.waitVblankStart(5) assert(Music.playing())
screen.waitVblankStart(40) assert(not Music.playing())
Music.playFile("texte.mod", true) assert(not Music.playing())
assert(not pcall(Music.playFile, "absent.mod")) screen.waitVblankStart(5)
)", 110);
        QVERIFY2(r.exitCode == 0, r.errors.constData());
        QCOMPARE(r.frames(), 110 * kFrame);
        QVERIFY(r.peak(0, 1) > 1000);
        const int full = r.peak(2, 20), half = r.peak(22, 40);
        QVERIFY2(std::abs(half * 2 - full) <= full / 50, qPrintable(QString("%1 then %2").arg(full).arg(half)));
        QCOMPARE(r.peak(40, 45), 0); // paused
        QVERIFY(r.peak(45, 50) > half / 2);
        QCOMPARE(r.peak(50, 60), 0);
        QVERIFY(r.peak(60, 65) > half / 2);
        QCOMPARE(r.peak(80, 110), 0); // two rows at speed 6 last 0.24 s, 15 frames
        QVERIFY2(r.errors.contains("luaplayer: musique illisible : "), r.errors.constData());
    }

    // No sound device: one line on standard error, the game runs on, its sounds timed as if heard.
    void noSoundDeviceIsOneLineAndSilence() {
        QVERIFY(putFile(mDir.filePath("son.wav"), encodeWav(tone(1000))));
        QVERIFY(putFile(mDir.filePath("jeu.lua"),
                        "local v = Sound.load('son.wav'):play() screen.waitVblankStart(3) print('fini', v:playing())"));
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const ProgramRun run = runLuaplayer(mDir.path(), {"--frames", "10", "jeu.lua"}, [&](QProcess& p) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("SDL_AUDIODRIVER", "aucun");
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert("XDG_RUNTIME_DIR", runtime.path());
            p.setProcessEnvironment(env);
        });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors.count('\n'), 1);
        QVERIFY2(run.errors.startsWith("luaplayer: pas de sortie son, le jeu reste muet"), run.errors.constData());
        QCOMPARE(run.output, QByteArray("fini\tfalse\n"));
    }

    void panning_data() {
        QTest::addColumn<int>("pan");
        QTest::addColumn<int>("left");  // gain out of 127
        QTest::addColumn<int>("right");
        QTest::newRow("left") << 0 << 127 << 0;
        QTest::newRow("quarter") << 64 << 127 << 64;
        QTest::newRow("centre") << 127 << 127 << 127;
        QTest::newRow("right") << 255 << 0 << 127;
    }
    void panning() {
        QFETCH(int, pan);
        QFETCH(int, left);
        QFETCH(int, right);
        Mixer mixer;
        auto sound = std::make_shared<PcmSound>(tone(100));
        const Mixer::VoiceId v = mixer.play(sound, false);
        mixer.setPan(v, pan);
        Samples expected;
        for (std::int16_t s : sound->samples)
            expected.insert(expected.end(), {std::int16_t(s * left / 127), std::int16_t(s * right / 127)});
        QCOMPARE(render(mixer, 100), expected);
    }

    // Frequency in the sound's frames a second, from the file's rate; slowed, neighbours blend.
    void frequency_data() {
        QTest::addColumn<int>("fileRate");
        QTest::addColumn<int>("frequency"); // 0: left as loaded
        QTest::addColumn<int>("lasting");   // output frames
        QTest::newRow("file at 22050") << 22050 << 0 << 200;
        QTest::newRow("slowed") << 44100 << 22050 << 200;
        QTest::newRow("doubled") << 44100 << 88200 << 50;
        QTest::newRow("above the limit") << 44100 << 400000 << 45; // 100000 at most
    }
    void frequency() {
        QFETCH(int, fileRate);
        QFETCH(int, frequency);
        QFETCH(int, lasting);
        Mixer mixer;
        PcmSound ramp;
        ramp.rate = fileRate;
        for (int i = 0; i < 100; ++i)
            ramp.samples.push_back(std::int16_t(1000 + 100 * i));
        const Mixer::VoiceId v = mixer.play(std::make_shared<PcmSound>(ramp), false);
        if (frequency)
            mixer.setFrequency(v, frequency);
        const auto out = render(mixer, 300); // centred: both sides alike
        QCOMPARE(out.rend() - std::find_if(out.rbegin(), out.rend(), [](auto s) { return s != 0; }), 2 * lasting);
        QVERIFY(!mixer.playing(v));
        if (lasting == 200)
            QCOMPARE(out[2], std::int16_t(1050)); // halfway between the first two frames
    }

    // Also a stereo sound's sides kept apart.
    void loopingAndStolenVoices() {
        Mixer mixer;
        auto stereo = std::make_shared<PcmSound>();
        stereo->channels = 2;
        stereo->samples = {100, -100, 200, -200};
        mixer.play(stereo, false);
        QCOMPARE(render(mixer, 3), (Samples{100, -100, 200, -200, 0, 0}));
        auto sound = std::make_shared<PcmSound>(tone(100));
        const Mixer::VoiceId once = mixer.play(sound, false);
        const Mixer::VoiceId looping = mixer.play(sound, true);
        render(mixer, 250);
        QVERIFY(!mixer.playing(once));
        QVERIFY(mixer.playing(looping));
        std::vector<Mixer::VoiceId> more;
        for (int i = 0; i < Mixer::kMaxVoices; ++i)
            more.push_back(mixer.play(sound, true));
        QVERIFY(!mixer.playing(looping)); // the oldest gave way to the last
        QVERIFY(mixer.playing(more.front()) && mixer.playing(more.back()));
        mixer.setVolume(looping, 10); // a voice that ended ignores changes
        mixer.stop(looping);
        QVERIFY(mixer.playing(more.back()));
    }

    // data/sons holds what quendal_sound draws: a tune of about 15 s, a knock under 0.2 s.
    void suppliedSounds() {
        const QString sons = QStringLiteral(QUENDAL_SOURCE_DIR "/data/sons/");
        QCOMPARE(bytesOf(sons + "titre.mod"), soundart::titleTune());
        QCOMPARE(bytesOf(sons + "mur.wav"), encodeWav(soundart::wallSound()));
        ModuleMusic tune(bytesOf(sons + "titre.mod"), false);
        Samples buffer(kFrame * 2);
        int frames = 0, loud = 0;
        while (tune.render(buffer.data(), kFrame) && frames < 60 * 60) {
            ++frames;
            loud += *std::max_element(buffer.begin(), buffer.end()) > 2000;
        }
        QVERIFY2(frames >= 14 * 60 && frames <= 16 * 60, qPrintable(QString::number(frames)));
        QVERIFY(loud > frames * 9 / 10);
        const PcmSound knock = decodeWav(bytesOf(sons + "mur.wav"));
        QVERIFY(knock.frames() < knock.rate / 5);
        QVERIFY(*std::max_element(knock.samples.begin(), knock.samples.end()) > 8000);
    }

    // Rate 0: refused.
    void wavFormats_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<Samples>("samples");
        const QByteArray mono16 = wavHeader(1, 1, 44100, 16);
        QTest::newRow("8 bits mono") << riff(wavHeader(1, 1, 8000, 8) + chunk("data", QByteArray("\x80\xFF\x00", 3)))
                                     << 8000 << 1 << Samples{0, 127 << 8, -32768};
        QTest::newRow("16 bits stereo") << riff(wavHeader(1, 2, 22050, 16) + chunk("data", QByteArray("\x01\x00\xFF\xFF", 4)))
                                        << 22050 << 2 << Samples{1, -1};
        QTest::newRow("extensible, odd chunk before the data")
            << riff(wavHeader(0xFFFE, 1, 44100, 16, true) + chunk("LIST", "abc") + QByteArray(1, '\0')
                    + chunk("data", QByteArray("\x10\x27", 2)))
            << 44100 << 1 << Samples{10000};
        QTest::newRow("data cut short") << riff(mono16 + QByteArray("data\x10\0\0\0\x10\x27\x20", 11))
                                        << 44100 << 1 << Samples{10000};
        QTest::newRow("refused: not riff") << QByteArray("RIFX\0\0\0\0WAVE", 12) << 0 << 0 << Samples{};
        QTest::newRow("refused: float samples") << riff(wavHeader(3, 1, 44100, 32) + chunk("data", QByteArray(8, '\0')))
                                                << 0 << 0 << Samples{};
        QTest::newRow("refused: 24 bits") << riff(wavHeader(1, 1, 44100, 24) + chunk("data", QByteArray(6, '\0')))
                                          << 0 << 0 << Samples{};
        QTest::newRow("refused: no data") << riff(mono16) << 0 << 0 << Samples{};
    }
    void wavFormats() {
        QFETCH(QByteArray, file);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(Samples, samples);
        if (rate == 0) {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, decodeWav(file));
            return;
        }
        const PcmSound s = decodeWav(file);
        QCOMPARE(s.rate, rate);
        QCOMPARE(s.channels, channels);
        QCOMPARE(s.samples, samples);
        QCOMPARE(decodeWav(encodeWav(s)).samples, samples);
    }
};

QTEST_GUILESS_MAIN(TestPlayerSound)
#include "tst_playersound.moc"
