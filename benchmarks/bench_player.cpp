// The cost of one game frame in luaplayer: the screen covered with 28 x 29 tiles, then a flip.
#include "player/image.h"
#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/screen.h"

#include <benchmark/benchmark.h>

namespace {

Image makeTile(int alpha) {
    Image tile(28, 29);
    tile.clear(Color{90, 140, 60, alpha});
    tile.fillRect(4, 4, 20, 20, Color{200, 180, 40, alpha});
    return tile;
}

// Engine only: blits, flip and the conversion of the shown page that the window does.
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

BENCHMARK_MAIN();
