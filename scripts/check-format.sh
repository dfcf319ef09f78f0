#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format-14 makes of
# it; `scripts/check-format.sh --fix` formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null || find src tests bench fuzz -name '*.h' -o -name '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format-14 -i "${files[@]}"
  exit 0
fi
if ! clang-format-14 --dry-run --Werror "${files[@]}" 2>/tmp/tornel-format.$$; then
  grep -o '^[^:]*:[0-9]*' /tmp/tornel-format.$$ | cut -d: -f1 | sort -u | sed 's/^/unformatted: /'
  rm -f /tmp/tornel-format.$$
  echo "check-format: run scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/tornel-format.$$
