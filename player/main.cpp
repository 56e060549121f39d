#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/sounddevice.h"
#include "player/termination.h"
#include "player/windowhost.h"
#include "project/module1.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <thread>

namespace {

const char kButtonsHelp[] =
    "Fichier de boutons (--buttons) : une entrée par ligne, « IMAGE BOUTON BOUTON... ».\n"
    "À partir de l'image IMAGE (la première est 0, une par attente de synchronisation\n"
    "verticale), exactement ces boutons sont enfoncés, jusqu'à la ligne suivante ; une\n"
    "ligne sans bouton les relâche tous. Boutons : up down left right cross circle square\n"
    "triangle l r start select home hold note. Le texte après # est ignoré.\n"
    "\n"
    "Clavier : flèches = croix directionnelle, C = croix, F = rond, D = carré, R = triangle,\n"
    "Q = L, W = R, S = START, A = SELECT ; ce sont des places sur le clavier : en AZERTY,\n"
    "A = L, Z = R et Q = SELECT. F11 = plein écran, Échap = quitter.\n";

int fail(const QString& message) {
    std::fprintf(stderr, "luaplayer: %s\n", message.toLocal8Bit().constData());
    return 2;
}

// Sound is recorded when asked, else heard through the device in a window. A run with no
// device is silent, with one line on standard error.
void setUpSound(PlayerHost& host, bool headless, std::unique_ptr<AudioOutput> recording) {
    Audio& audio = host.audio();
    if (recording) {
        audio.setOutput(std::move(recording));
        return;
    }
    if (headless)
        return;
    QString error;
    if (auto device = SoundDevice::open(audio.mixer(), error))
        audio.setOutput(std::move(device));
    else
        std::fprintf(stderr, "luaplayer: pas de sortie son, le jeu reste muet (%s)\n",
                     error.toLocal8Bit().constData());
}

// Writes a file the run was asked for; a failure is said, and the run's status stands.
void writeOut(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        fail(QStringLiteral("impossible d'écrire ") + path);
}

// The last picture stays in the window until it is closed (replays watched to their end).
void keepShowing(PlayerHost& host) {
    while (!host.closeRequested()) {
        host.pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
}

} // namespace

int main(int argc, char** argv) {
    // A game's write past a file size limit fails as a Lua error instead of ending the player.
    reportFileSizeLimit();
    // The command line is read before the window system is opened, so --help and mistakes
    // are answered even without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Exécute un jeu LuaPlayer (écran 480 x 272, 60 images par seconde).\n\n")
        + QString::fromUtf8(kButtonsHelp));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("script"), QStringLiteral("Le script Lua à exécuter."));
    const QCommandLineOption frames(QStringLiteral("frames"),
        QStringLiteral("S'arrête après N synchronisations verticales."), QStringLiteral("N"));
    const QCommandLineOption buttons(QStringLiteral("buttons"),
        QStringLiteral("Boutons enfoncés image par image (format ci-dessus)."), QStringLiteral("FICHIER"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Enregistre l'écran visible en PNG à la fin."), QStringLiteral("PNG"));
    const QCommandLineOption headlessOption(QStringLiteral("headless"),
        QStringLiteral("Sans fenêtre, sans son ni attente : les images s'enchaînent sans délai."));
    const QCommandLineOption audioOut(QStringLiteral("audio-out"),
        QStringLiteral("Enregistre le son mélangé dans un fichier WAV (44100 Hz, stéréo, 16 bits) "
                       "au lieu de le jouer : 735 échantillons par synchronisation verticale."),
        QStringLiteral("WAV"));
    const QCommandLineOption scale(QStringLiteral("scale"),
        QStringLiteral("Agrandissement initial de la fenêtre (2 par défaut)."), QStringLiteral("N"),
        QStringLiteral("2"));
    const QCommandLineOption memory(QStringLiteral("memory"),
        QStringLiteral("Mémoire du jeu en Mo, images et données Lua comptées ensemble (64 par défaut) ;"
                       " au-delà, créer une image échoue (« not enough memory »)."),
        QStringLiteral("MO"), QStringLiteral("64"));
    const QCommandLineOption record(QStringLiteral("record"),
        QStringLiteral("Enregistre les boutons lus, image par image, au format de --buttons ; "
                       "l'en-tête donne le --frames qui rejoue la partie jusqu'à la même fin. "
                       "Avec --record ou --buttons, minuteurs, dates et math.random suivent les images."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption state(QStringLiteral("state"),
        QStringLiteral("Écrit à la fin le nombre d'images jouées et ce que le jeu a dit de lui "
                       "(System.reportState), une ligne « nom=valeur » par champ."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption live(QStringLiteral("live"),
        QStringLiteral("Le jeu peut demander quels de ses fichiers ont été enregistrés pendant "
                       "qu'il tourne (System.changedFiles)."));
    const QCommandLineOption keepOpen(QStringLiteral("keep-open"),
        QStringLiteral("Dans une fenêtre, garde la dernière image affichée jusqu'à la fermeture."));
    parser.addOptions({frames, buttons, screenshot, headlessOption, audioOut, scale, memory, record,
                       state, live, keepOpen});
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    // --help-all names the same options: this player takes no option of Qt's own.
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        const QString help = parser.helpText().replace(QLatin1String("<executable_name>"),
                                                       QLatin1String("luaplayer"));
        std::fputs(help.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const bool headless = parser.isSet(headlessOption);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return fail(QStringLiteral("indiquez un seul script à exécuter (voir --help)."));

    PlayerOptions options;
    if (parser.isSet(frames)) {
        bool ok = false;
        options.maxFrames = parser.value(frames).toLongLong(&ok);
        if (!ok || options.maxFrames < 0)
            return fail(QStringLiteral("nombre d'images incorrect : ") + parser.value(frames));
    }
    {
        bool ok = false;
        const qint64 megabytes = parser.value(memory).toLongLong(&ok);
        if (!ok || megabytes < 1 || megabytes > 1024 * 1024)
            return fail(QStringLiteral("mémoire incorrecte : ") + parser.value(memory));
        options.memoryLimit = megabytes * 1024 * 1024;
    }
    if (parser.isSet(buttons)) {
        try {
            options.buttons = ButtonScript::load(parser.value(buttons));
        } catch (const std::exception& e) {
            return fail(QString::fromLocal8Bit(e.what()));
        }
    }
    options.live = parser.isSet(live);
    options.recording = parser.isSet(record);
    options.frameClock = options.recording || parser.isSet(buttons);
    options.clockStart = options.buttons.clockStart().value_or(QDateTime::currentSecsSinceEpoch());
    // Headless without a frame limit has nobody to press START: do not wait on an error.
    options.waitOnError = !headless || options.maxFrames >= 0;
    const int windowScale = std::clamp(parser.value(scale).toInt(), 1, 8);
    // The script may change the working directory: fix where the picture goes now.
    const auto absolute = [&](const QCommandLineOption& option) {
        return parser.isSet(option) ? QFileInfo(parser.value(option)).absoluteFilePath() : QString();
    };
    const QString shotPath = absolute(screenshot);
    const QString recordPath = absolute(record);
    const QString statePath = absolute(state);
    std::unique_ptr<AudioOutput> recording;
    if (parser.isSet(audioOut)) {
        const QString wavPath = QFileInfo(parser.value(audioOut)).absoluteFilePath();
        try {
            recording = std::make_unique<WavFileOutput>(wavPath);
        } catch (const std::exception&) {
            return fail(QStringLiteral("impossible d'écrire ") + wavPath);
        }
    }

    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("luaplayer"));

    std::unique_ptr<PlayerHost> host;
    if (headless)
        host = std::make_unique<PlayerHost>();
    else
        host = std::make_unique<WindowHost>(windowScale);
    setUpSound(*host, headless, std::move(recording));

    catchTermination();
    LuaPlayer player(*host, std::move(options));
    const int status = player.run(args.first());
    if (!shotPath.isEmpty() && !player.screen().visible().save(shotPath, "PNG"))
        fail(QStringLiteral("impossible d'enregistrer ") + shotPath);
    if (!recordPath.isEmpty())
        writeOut(recordPath, player.recordingText());
    if (!statePath.isEmpty())
        writeOut(statePath, player.stateText());
    if (parser.isSet(keepOpen) && !headless)
        keepShowing(*host);
    return status;
}
