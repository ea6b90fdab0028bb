#!/usr/bin/env bash
# Bash completion of brixel-cli (dist/brixel-cli.bash): commands, options of
# the command typed, file names for arguments and OUT values, nothing for
# numbers.
set -euo pipefail
src=${BRIXEL_SOURCE_DIR:?}
cli=${BRIXEL_CLI:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# shellcheck source=../../dist/brixel-cli.bash
source "$src/dist/brixel-cli.bash"
touch "$work/demo.tdf" "$work/demo.ans" "$work/other.txt"
mkdir "$work/dir with space"
cd "$work"

# completes WORDS... EXPECTED: the completions of the last word, sorted.
completes() {
  local expected=${*: -1}
  COMP_WORDS=("$cli" "${@:1:$#-1}")
  COMP_CWORD=$(($# - 1))
  set +e  # as in an interactive shell: compgen fails when nothing matches
  _brixel_cli
  set -e
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [ "$got" != "$expected" ]; then
    echo "FAIL: brixel-cli ${*:1:$#-1}<Tab> gave '$got', not '$expected'" >&2
    failures=$((failures + 1))
  fi
}

completes "re" "rename render"
completes "--v" "--version"
completes "render" "--o" "--outline-style"
completes "list" "--" "--help --json"
completes "list" "demo." "demo.ans demo.tdf"
completes "render" "--png" "d" "demo.ans demo.tdf dir with space"
completes "render" "--font" "" ""
completes "fonts" "--has" "d" ""
completes "text" "--" "-" ""
completes "nosuchcommand" "d" ""

[ "$failures" -eq 0 ] || exit 1
echo "PASS: brixel-cli completion"
