#!/usr/bin/env bash
# build.sh KIND DIR: configures and builds one build tree.
# KIND is debug, release, asan, tsan or fuzz.
set -euo pipefail
kind=${1:-debug}
dir=${2:-build/$kind}
jobs=${JOBS:-$(nproc)}

args=(-S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug)
case "$kind" in
  debug) ;;
  release) args=(-S . -B "$dir" -DCMAKE_BUILD_TYPE=Release) ;;
  asan) args+=(-DBRIXEL_ASAN=ON -DBRIXEL_BENCH=OFF) ;;
  tsan) args+=(-DBRIXEL_TSAN=ON -DBRIXEL_BENCH=OFF) ;;
  fuzz) args+=(-DBRIXEL_FUZZ=ON -DBRIXEL_TESTS=OFF -DBRIXEL_BENCH=OFF
               -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac

mkdir -p "$dir"
cmake "${args[@]}" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "$jobs"
