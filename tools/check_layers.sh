#!/usr/bin/env bash
# The core must build without SDL: only console/sdl/ and the window program
# may name it. A stray include would still compile where SDL is installed, so
# the rule is checked on the sources themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -nE 'SDL_|<SDL|"SDL' \
  util/*.h util/*.cpp tdf/*.h tdf/*.cpp console/*.h console/*.cpp app/*.h app/*.cpp app/cli/*.cpp \
  $(ls ansi/*.h ansi/*.cpp widgets/*.h widgets/*.cpp 2>/dev/null) || true)
if [ -n "$hits" ]; then
  echo "SDL used outside console/sdl and app/main:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "core sources are free of SDL"
