#include "player/termination.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t gTerminate = 0;

extern "C" void onTerminate(int) {
    gTerminate = 1;
}

} // namespace

void catchTermination() {
    std::signal(SIGTERM, onTerminate);
}

bool terminationRequested() {
    return gTerminate != 0;
}
