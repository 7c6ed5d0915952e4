#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
export QT_QPA_PLATFORM=offscreen QT_MEDIA_BACKEND=ffmpeg
ctest --preset dev "$@"
