#!/usr/bin/env bash
# check_layers.sh [BRIXEL_CLI]: the folders of the program include one another
# in one direction only,
#   util <- console <- tdf, ansi <- widgets <- screens <- app <- app/main
# with every SDL call in console/sdl, and app/cli (brixel-cli) on the formats
# alone. A stray include still compiles (everything is on one include path,
# and SDL is installed here), so the rules are checked on the sources
# themselves; given the built brixel-cli, also on what it loads, which
# catches a link through a library as well. Tests, benchmarks, fuzzers and
# tools are outside the layers.
set -euo pipefail
cd "$(dirname "$0")/.."

# What the files of each folder may include. A file belongs to the longest
# folder that holds it, and so does the file an include names.
rules='
util        util
console     util console
console/sdl util console console/sdl
tdf         util console tdf
ansi        util console ansi
widgets     util console widgets
screens     util console tdf ansi widgets screens
app         util console tdf ansi widgets screens app
app/cli     util console tdf ansi app/cli
app/main    util console console/sdl tdf ansi widgets screens app app/main
'
mapfile -t top < <(awk 'NF && $1 !~ /\// { print $1 }' <<<"$rules")
sources=$(find "${top[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# file:line:text of every quoted include, judged against the rules.
# shellcheck disable=SC2086
wrong=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $sources |
  awk -v rules="$rules" '
    function folder(path,    best, f) {
      best = ""
      for (f in may)
        if (index(path, f "/") == 1 && length(f) > length(best)) best = f
      return best
    }
    BEGIN {
      n = split(rules, lines, "\n")
      for (i = 1; i <= n; ++i) {
        k = split(lines[i], w, " ")
        if (k < 2) continue
        may[w[1]] = " "
        for (j = 2; j <= k; ++j) may[w[1]] = may[w[1]] w[j] " "
      }
    }
    {
      file = $0; sub(/:.*/, "", file)
      rest = substr($0, length(file) + 2)
      line = rest; sub(/:.*/, "", line)
      included = rest; sub(/^[^"]*"/, "", included); sub(/".*/, "", included)
      # An include without a folder is found beside the file, as the compiler finds it.
      if (folder(included) == "") {
        dir = file; sub(/\/[^\/]*$/, "", dir)
        included = dir "/" included
      }
      gsub(/\/\.\//, "/", included)
      while (sub(/[^\/]+\/\.\.\//, "", included)) {}
      from = folder(file); to = folder(included)
      if (to == "") next  # a file of no folder of the program (generated, or a system header)
      if (index(may[from], " " to " ") == 0)
        printf "%s:%s: %s includes %s; %s may include only%s\n", file, line, from, included,
               from, substr(may[from], 1, length(may[from]) - 1)
    }')
if [ -n "$wrong" ]; then
  echo "Includes that go the wrong way:" >&2
  echo "$wrong" >&2
  exit 1
fi
echo "includes follow the layers"

# Everything below the shell draws on the console it is given: no file there
# names a global console. app/main owns the one window console and passes it
# down through the shell.
mapfile -t below < <(grep -E '^(util|console|tdf|ansi|widgets|screens)/' <<<"$sources")
hits=$(grep -nE '(^|[^[:alnum:]_.>])Console( *->| *=[^=]|\b *;)|extern +TTextConsole|"console/ConsoleLayer.h"' \
  "${below[@]}" || true)
if [ -n "$hits" ]; then
  echo "A global console is named below the shell:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "nothing below the shell names a global console"

# Formats read no input at all; dialogs and screens read it as the events of
# the console they were given (ReadEvent), never as key bytes.
mapfile -t formats < <(grep -E '^(tdf|ansi)/' <<<"$sources")
hits=$(grep -nwE 'ReadKey|KeyPressed|ReadEvent|EventPending' "${formats[@]}" || true)
if [ -n "$hits" ]; then
  echo "A format reads input:" >&2
  echo "$hits" >&2
  exit 1
fi
mapfile -t interactive < <(grep -E '^(widgets|screens)/' <<<"$sources")
hits=$(grep -nwE 'ReadKey|KeyPressed' "${interactive[@]}" || true)
if [ -n "$hits" ]; then
  echo "A screen or dialog reads key bytes instead of its console's events:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "formats read no input; screens and dialogs read events"

# SDL is named only in console/sdl and the window program.
core=$(grep -vE '^(console/sdl|app/main)/' <<<"$sources")
# shellcheck disable=SC2086
hits=$(grep -nE 'SDL_|<SDL|"SDL' $core || true)
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
