#!/usr/bin/env bash
# Bash completion of brixel-cli (dist/brixel-cli.bash): commands, options of
# the command typed, file names for arguments and OUT values, nothing for
# numbers and texts.
set -euo pipefail
cli=${BRIXEL_CLI:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
source "${BRIXEL_SOURCE_DIR:?}/dist/brixel-cli.bash"
touch "$work/demo.tdf" "$work/demo.ans" "$work/other.txt"
cd "$work"

# completes WORDS... EXPECTED: the completions of the last word, sorted.
completes() {
  COMP_WORDS=("$cli" "${@:1:$#-1}")
  COMP_CWORD=$(($# - 1))
  set +e  # as in an interactive shell: compgen fails when nothing matches
  _brixel_cli
  set -e
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  [ "$got" = "${*: -1}" ] || { echo "FAIL: ${*:1:$#-1}<Tab> gave '$got'" >&2; failures=$((failures + 1)); }
}

completes "re" "rename render"
completes "mo" "move-font"
completes "--v" "--version"
completes "render" "--o" "--outline-style"
completes "list" "--" "--help --json"
completes "list" "demo." "demo.ans demo.tdf"
completes "render" "--png" "d" "demo.ans demo.tdf"
completes "render" "--font" "" ""
completes "render" "--format" "t" "text truecolor"
completes "export" "--format" "" "flf tlf"
completes "render" "--justify" "" "center left right"
completes "fonts" "--palette" "" "classic vga"
completes "fonts" "--sheet" "d" "demo.ans demo.tdf"
mkdir "$work/dir"
completes "render" "--font-dir" "d" "dir"
completes "fonts" "--has" "d" ""
completes "text" "--" "-" ""
completes "nosuchcommand" "d" ""

[ "$failures" -eq 0 ] || exit 1
echo "PASS: brixel-cli completion"
