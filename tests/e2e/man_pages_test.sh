#!/usr/bin/env bash
# The man pages name every command and option brixel-cli's usage texts name,
# and every key letter the main screen's command loop takes, so a new one
# cannot be left out of them.
set -euo pipefail
src=${BRIXEL_SOURCE_DIR:?}
cli=${BRIXEL_CLI:?}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cli_page="$src/doc/brixel-cli.1"
commands=$("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\?$/\1/p' | sort -u)
[ "$(wc -w <<<"$commands")" -ge 14 ] || fail "too few commands read from the usage: $commands"
for command in $commands; do
  grep -q "^\.B ${command//-/\\\\-}\( \|\$\)" "$cli_page" || fail "brixel-cli.1 has no entry for $command"
  # Options as the page writes them, with escaped hyphens.
  for option in $("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" "$cli_page" || fail "brixel-cli.1 lacks $command $option"
  done
done
grep -qF -- '\-\-version' "$cli_page" || fail "brixel-cli.1 lacks --version"

# Keys of the main screen, as brixel.1 names them in its section (one word
# each, upper case), against the command loop: its key table's labels, or the
# letters of a switch over the key.
named=$(sed -n '/^\.SH MAIN SCREEN KEYS/,/^\.SH /p' "$src/doc/brixel.1" | sed -n 's/^\.BR\? //p' |
  sed 's/", "/ /g' | tr ' ' '\n' | sed 's/^\\-$/-/' | tr a-z A-Z)
loop="$src/app/CommandLoop.cpp"
keys=$( (sed -n 's/^ *{{[^}]*}, "\([^"]*\)", ".*/\1/p' "$loop"; sed -n "s/^ *case '\(.\)':.*/\1/p" "$loop") |
  tr a-z A-Z)
[ "$(wc -w <<<"$keys")" -ge 20 ] || fail "too few keys read from CommandLoop.cpp: $keys"
for key in $keys; do
  grep -qxF -- "$key" <<<"$named" || fail "brixel.1 lists no key $key"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the man pages list every command, option and key letter"
