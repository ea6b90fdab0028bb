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
commands=$("$cli" --help | sed -n 's/^  \([a-z]\+\)\( .*\)\?$/\1/p' | sort -u)
[ "$(wc -w <<<"$commands")" -ge 14 ] || fail "too few commands read from the usage: $commands"
for command in $commands; do
  grep -q "^\.B $command\( \|\$\)" "$cli_page" || fail "brixel-cli.1 has no entry for $command"
  # Options as the page writes them, with escaped hyphens.
  for option in $("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" "$cli_page" || fail "brixel-cli.1 lacks $command $option"
  done
done
grep -qF -- '\-\-version' "$cli_page" || fail "brixel-cli.1 lacks --version"

# Keys of the main screen: the section of brixel.1 up to the next heading.
keys=$(sed -n '/^\.SH MAIN SCREEN KEYS/,/^\.SH /p' "$src/doc/brixel.1" | grep '^\.BR\? ')
letters=$(sed -n "s/^ *case '\(.\)':.*/\1/p" "$src/app/CommandLoop.cpp")
[ "$(wc -w <<<"$letters")" -ge 20 ] || fail "too few keys read from CommandLoop.cpp: $letters"
for letter in $letters; do
  key=${letter^^}
  [ "$key" = "-" ] && key='\-'
  grep -qF -- " $key" <<<"$keys" || fail "brixel.1 lists no key $key"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the man pages list every command, option and key letter"
