#!/usr/bin/env bash
# check_tidy.sh [BUILD_DIR]: clang-tidy with the checks of .clang-tidy over the
# program's own sources (tests, benchmarks, fuzzers and tools aside). It reads
# a compile database of its own, configured without precompiled headers,
# which clang cannot read from GCC. Run by make test.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-tidy >/dev/null || { echo "clang-tidy is not installed" >&2; exit 1; }
dir=${1:-build/tidy}
cmake -S . -B "$dir" -DBRIXEL_PCH=OFF -DBRIXEL_TESTS=OFF -DBRIXEL_BENCH=OFF \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$dir.configure.log" 2>&1 ||
  { cat "$dir.configure.log" >&2; exit 1; }
mapfile -t sources < <(git ls-files '*.cpp' | grep -E '^(util|console|tdf|ansi|widgets|screens|app)/')
out=$(printf '%s\n' "${sources[@]}" |
  xargs -P "${JOBS:-$(nproc)}" -n 8 clang-tidy -p "$dir" --quiet 2>/dev/null) || {
  echo "$out" | grep -E 'warning:|error:' >&2
  echo "clang-tidy found problems (above)" >&2
  exit 1
}
echo "${#sources[@]} sources pass clang-tidy"
