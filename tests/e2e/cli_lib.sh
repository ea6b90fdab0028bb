# Shared machinery of the brixel-cli end-to-end tests. Source it from a
# *_test.sh script; CTest passes BRIXEL_CLI.
#
#   run ARGS...            runs a command, keeps stdout ($work/out), stderr
#                          ($work/err) and the exit code ($rc)
#   expect_rc CODE WHAT    records a failure unless $rc is CODE
#   fail MESSAGE           records a failure and goes on
#   cli_finish NAME        reports and exits 1 when anything failed
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

cli_finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
