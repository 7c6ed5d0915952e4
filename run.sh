#!/usr/bin/env bash
# Sets up, builds and starts the scorecard program from the program folder.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
export QT_MEDIA_BACKEND="${QT_MEDIA_BACKEND:-ffmpeg}"
exec ./build/bin/kestrune "$@"
