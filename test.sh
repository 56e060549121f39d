#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; then runs the tests of the
# widget-free libraries and of the player again under the sanitizers (build-asan/).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 300
scripts/sanitize.sh
