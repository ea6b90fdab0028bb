#!/usr/bin/env bash
# check_layers.sh [BRIXEL_CLI]: the core and the command-line tool must build
# without SDL: only console/sdl/ and the window program may name it. A stray
# include would still compile where SDL is installed, so the rule is checked
# on the sources themselves; given the built brixel-cli, also on what it
# loads, which catches a link through a library as well.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -nE 'SDL_|<SDL|"SDL|#include "console/sdl/' \
  util/*.h util/*.cpp tdf/*.h tdf/*.cpp console/*.h console/*.cpp app/*.h app/*.cpp \
  app/cli/*.h app/cli/*.cpp \
  $(ls ansi/*.h ansi/*.cpp widgets/*.h widgets/*.cpp 2>/dev/null) || true)
if [ -n "$hits" ]; then
  echo "SDL used outside console/sdl and app/main:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "core sources are free of SDL"
if [ $# -gt 0 ]; then
  libraries=$(ldd "$1") || { echo "cannot list the libraries of $1" >&2; exit 1; }
  if grep -i sdl <<<"$libraries" >&2; then
    echo "$1 loads SDL (above)" >&2
    exit 1
  fi
  echo "$1 loads no SDL"
fi
