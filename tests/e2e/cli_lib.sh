# Shared machinery of the brixel-cli end-to-end tests. Source it from a
# *_test.sh script; CTest passes BRIXEL_CLI.
#
#   run ARGS...            runs a command, keeps stdout ($work/out), stderr
#                          ($work/err) and the exit code ($rc)
#   expect_rc CODE WHAT    records a failure unless $rc is CODE
#   fail MESSAGE           records a failure and goes on
#   cli_finish NAME        reports and exits 1 when anything failed
#   unprivileged_cli       as root: as_user runs a command as uid 65534 and
#                          cli is a copy that user can read (returns 1 when
#                          no such run is possible); otherwise as_user is empty
set -euo pipefail

cli=${BRIXEL_CLI:?BRIXEL_CLI must point at brixel-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

run() {
  set +e
  "$@" >"$work/out" 2>"$work/err"
  rc=$?
  set -e
}

expect_rc() { # code what
  [ "$rc" -eq "$1" ] || fail "$2: exit code $rc, expected $1 (stderr: $(head -c 400 "$work/err"))"
}

unprivileged_cli() {
  as_user=()
  [ "$(id -u)" -eq 0 ] || return 0
  command -v setpriv >/dev/null || { echo "setpriv is missing"; return 1; }
  # The checkout may live in a folder only its owner can enter (a 0700 home or
  # mktemp folder): the other user runs a copy of the program and its glyph
  # sheets from a folder everyone can read.
  local copy=$work/program
  mkdir -p "$copy"
  cp "$cli" "$copy/"
  local data
  for data in "$(dirname "$cli")"/*.png; do cp "$data" "$copy/"; done
  chmod 755 "$work" "$copy"
  chmod -R a+rX "$copy"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  if ! "${as_user[@]}" "$copy/${cli##*/}" --help >/dev/null 2>&1; then
    as_user=()
    echo "cannot run $cli as an unprivileged user"
    return 1
  fi
  cli=$copy/${cli##*/}
}

cli_finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
