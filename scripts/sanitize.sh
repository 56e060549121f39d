#!/usr/bin/env bash
# Builds the tests of the widget-free libraries, of the player, and of the main window (its
# start, menus, quitting and the questions before unsaved edits go) with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/, and runs them. Only those tests and what they
# need are built.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=(
  tst_project_files tst_project_creation tst_project_inirandom
  test_mapfiles test_events_core tst_build
  tst_luaplayer tst_playerprocess tst_playerfuzz tst_engine
  test_shell test_unsaved
)
if [ ! -f build-asan/build.ninja ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDAL_SANITIZE=ON "${launcher[@]}"
fi
cmake --build build-asan -j"$(nproc)" --target "${tests[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 600 -R "$pattern"
