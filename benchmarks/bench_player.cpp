// The cost of one game frame in luaplayer: drawing it, and showing it in the window, before
// and after the window learnt to repaint only what changed with one scaled draw; and the error
// screen of a very long message.
#include "player/image.h"
#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/screen.h"
#include "player/shownframe.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

Image makeTile(int alpha) {
    Image tile(28, 29);
    tile.clear(Color{90, 140, 60, alpha});
    tile.fillRect(4, 4, 20, 20, Color{200, 180, 40, alpha});
    return tile;
}

// What the window's backing store is at the default scale 2.
QImage backingStore() {
    QImage store(Screen::kWidth * 2, Screen::kHeight * 2, QImage::Format_RGB32);
    store.fill(Qt::black);
    return store;
}

const QRect kTarget(0, 0, Screen::kWidth * 2, Screen::kHeight * 2);

// The window's showing as it was: the shown page converted to an opaque copy, then scaled
// by repeating pixels into a second picture at every paint, then drawn.
void showAsBefore(const Screen& screen, QImage& store) {
    const QImage frame = screen.visible();
    const int factor = 2;
    QImage scaled(kTarget.size(), QImage::Format_RGB32);
    for (int y = 0; y < Screen::kHeight; ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(scaled.scanLine(y * factor));
        for (int x = 0; x < Screen::kWidth; ++x)
            std::fill_n(d + x * factor, factor, s[x]);
        for (int r = 1; r < factor; ++r)
            std::copy_n(d, kTarget.width(), reinterpret_cast<QRgb*>(scaled.scanLine(y * factor + r)));
    }
    QPainter painter(&store);
    painter.drawImage(kTarget.topLeft(), scaled);
}

// The window's showing now: the changed part found, then drawn scaled straight into the
// backing store, in one pass.
void showAsNow(const Screen& screen, ShownFrame& shown, QImage& store) {
    const QRect changed = shown.take(screen.front().pixels());
    if (!changed.isEmpty())
        shown.paintScaled(store, kTarget, ShownFrame::windowArea(kTarget, changed));
}

// Engine only: blits, flip and the conversion of the shown page that the window did.
void BM_FrameBlitFlip(benchmark::State& state) {
    Screen screen;
    const Image tile = makeTile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int y = 0; y < Screen::kHeight; y += 29)
            for (int x = 0; x < Screen::kWidth; x += 28)
                screen.back().blit(x, y, tile, true);
        screen.flip();
        benchmark::DoNotOptimize(screen.visible());
    }
}
BENCHMARK(BM_FrameBlitFlip)->Arg(255)->Arg(128)->Unit(benchmark::kMicrosecond);

// The same frame driven from Lua, as a game does it.
void BM_FrameFromLua(benchmark::State& state) {
    PlayerHost host;
    LuaPlayer player(host);
    player.runString(R"(
tile = Image.createEmpty(28, 29)
tile:clear(Color.new(90, 140, 60))
function frame()
  for y = 0, 271, 29 do
    for x = 0, 479, 28 do screen:blit(x, y, tile) end
  end
  screen.flip()
end
)");
    for (auto _ : state)
        player.runString("frame()");
}
BENCHMARK(BM_FrameFromLua)->Unit(benchmark::kMicrosecond);

// Showing one frame in the window. Arg 1: every pixel changes from frame to frame (two
// pages shown in turn); arg 0: the same picture again, as a menu that redraws itself.
void BM_ShowBefore(benchmark::State& state) {
    Screen screen;
    screen.back().clear(Color{200, 40, 40, 255});
    QImage store = backingStore();
    for (auto _ : state) {
        if (state.range(0))
            screen.flip();
        showAsBefore(screen, store);
    }
}
BENCHMARK(BM_ShowBefore)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_ShowNow(benchmark::State& state) {
    Screen screen;
    screen.back().clear(Color{200, 40, 40, 255});
    screen.flip();
    QImage store = backingStore();
    ShownFrame shown;
    for (auto _ : state) {
        if (state.range(0))
            screen.flip();
        showAsNow(screen, shown, store);
    }
}
BENCHMARK(BM_ShowNow)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

Image picture(const char* name) {
    return Image::load(QStringLiteral(QUENDAL_SOURCE_DIR "/data/images/system/theme01/") + QLatin1String(name));
}

// A frame of the bundled game's title menu, drawn and shown. Before: the screen cleared, the
// title picture and the menu blended over it, the cursor printed, the old showing. Now: the
// title screen without its cursor (picture, name, menu) composed once at start and copied
// raw, the cursor printed, the new showing.
void BM_TitleFrameBefore(benchmark::State& state) {
    Screen screen;
    const Image title = picture("imgprinc.png"), menu = picture("menuprinc.png");
    QImage store = backingStore();
    for (auto _ : state) {
        Image& page = screen.back();
        page.clear(Color{0, 0, 0, 255});
        page.blit(0, 0, title, true);
        page.blit(140, 180, menu, true);
        page.print(158, 201, QStringLiteral(">"), Color{255, 220, 0, 255});
        screen.flip();
        showAsBefore(screen, store);
    }
}
BENCHMARK(BM_TitleFrameBefore)->Unit(benchmark::kMicrosecond);

void BM_TitleFrameNow(benchmark::State& state) {
    Screen screen;
    Image background(Screen::kWidth, Screen::kHeight);
    background.clear(Color{0, 0, 0, 255});
    background.blit(0, 0, picture("imgprinc.png"), true);
    background.blit(140, 180, picture("menuprinc.png"), true);
    QImage store = backingStore();
    ShownFrame shown;
    for (auto _ : state) {
        Image& page = screen.back();
        page.blit(0, 0, background, false);
        page.print(158, 201, QStringLiteral(">"), Color{255, 220, 0, 255});
        screen.flip();
        showAsNow(screen, shown, store);
    }
}
BENCHMARK(BM_TitleFrameNow)->Unit(benchmark::kMicrosecond);

// An uncaught error with a message of 6.4 million characters, up to its error screen.
void BM_ErrorScreenOfALongMessage(benchmark::State& state) {
    PlayerOptions options;
    options.waitOnError = false;
    PlayerHost host;
    LuaPlayer player(host, options);
    player.runString("message = string.rep('y', 6.4e6)");
    for (auto _ : state)
        player.runString("error(message, 0)");
}
BENCHMARK(BM_ErrorScreenOfALongMessage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // QPainter and fonts want one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
