#!/usr/bin/env bash
# build.sh KIND DIR [TARGET...]: configures and builds one build tree, all of
# it or only the targets named.
# KIND is debug, release, dist (release without tests and benchmarks, for
# installing and packaging), asan, tsan or fuzz.
set -euo pipefail
kind=${1:-debug}
dir=${2:-build/$kind}
targets=("${@:3}")
jobs=${JOBS:-$(nproc)}

args=(-S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DBRIXEL_WERROR=ON)
case "$kind" in
  debug) ;;
  release) args=(-S . -B "$dir" -DCMAKE_BUILD_TYPE=Release) ;;
  dist) args=(-S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBRIXEL_TESTS=OFF -DBRIXEL_BENCH=OFF) ;;
  asan) args+=(-DBRIXEL_ASAN=ON -DBRIXEL_BENCH=OFF) ;;
  tsan) args+=(-DBRIXEL_TSAN=ON -DBRIXEL_BENCH=OFF) ;;
  fuzz) args+=(-DBRIXEL_FUZZ=ON -DBRIXEL_TESTS=OFF -DBRIXEL_BENCH=OFF
               -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac

mkdir -p "$dir"
cmake "${args[@]}" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "$jobs" ${targets[@]:+--target "${targets[@]}"}
