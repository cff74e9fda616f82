#!/usr/bin/env bash
# Installs what is missing, builds Torvane (Release) and starts it on the current X display.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target torvane
exec build/src/torvane
