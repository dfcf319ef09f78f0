#!/usr/bin/env bash
# Builds the program (Release) when needed and starts it with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTORNEL_BENCH=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc 2>/dev/null || echo 2)" --target tornel tornel-tool
exec "$root/build/release/bin/tornel" "$@"
