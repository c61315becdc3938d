#!/usr/bin/env bash
# Installs what is missing, builds tavri and starts the game.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --target tavri
exec "$root/build/src/tavri"
