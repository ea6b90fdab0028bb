#!/usr/bin/env bash
# Every brixel-cli command that writes a file, where the write must fail: a
# read-only file or folder (for root too), a full disk and a file-size limit
# (its signal ignored or not: brixel-cli ignores it itself). Each must exit
# non-zero, say why, and leave every file of its folder as it was, with no
# temporary file beside them.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}

# Run in a folder holding font.tdf, other.tdf, art.ans and out.x. capture
# reports its own message, without a reason.
writers=("create --force out.x New block" "extract --force font.tdf out.x" "rename font.tdf Re"
  "spacing font.tdf 5" "type --font 1 font.tdf color" "merge font.tdf other.tdf"
  "capture font.tdf art.ans 1 1 2 2 A" "sauce --title Title font.tdf" "text art.ans out.x"
  "render --ans out.x font.tdf Hi" "render --png out.x font.tdf Hi")
# NAME|FILE MODE|FOLDER MODE|RUN AS|FILE-SIZE LIMIT|SIGXFSZ|REASON
ways=("read-only files|444|755||unlimited|ignore|permission denied"
  "read-only folder|666|555||unlimited|ignore|permission denied"
  "full disk|666|777||0|ignore|file too large for the limit set"
  "size limit, its signal not ignored|666|777||0|default|file too large for the limit set")
if unprivileged_cli; then
  ways+=("read-only files, unprivileged|444|755|${as_user[*]}|unlimited|ignore|permission denied"
    "read-only folder|666|555|${as_user[*]}|unlimited|ignore|permission denied")
fi
chmod 755 "$work"
for way in "${ways[@]}"; do
  IFS='|' read -r what file_mode folder_mode runner limit xfsz reason <<<"$way"
  for args in "${writers[@]}"; do
    dir="$work/case"
    rm -rf "$dir" && mkdir "$dir"
    cp "$src/assets/demo.tdf" "$dir/font.tdf"
    cp "$src/assets/demo.tdf" "$dir/other.tdf"
    cp "$src/assets/demo.ans" "$dir/art.ans"
    printf 'old output' >"$dir/out.x"
    chmod "$file_mode" "$dir"/* && chmod "$folder_mode" "$dir"
    before=$(cd "$dir" && sha256sum $(ls -A))
    # stderr through a pipe: the file-size limit binds regular files only.
    set +e
    (cd "$dir" && ulimit -f "$limit" && { [ "$xfsz" = default ] || trap '' XFSZ; } &&
      exec $runner "$cli" $args >/dev/null) 2>&1 | cat >"$work/err"
    rc=${PIPESTATUS[0]}
    set -e
    chmod 755 "$dir"
    [ "$rc" -ne 0 ] || fail "$args, $what: exit code 0"
    [ "$(cd "$dir" && sha256sum $(ls -A))" = "$before" ] ||
      fail "$args, $what: a file changed or was left"
    want=$reason && case "$args" in capture*) want="" ;; esac
    [ -z "$want" ] || grep -q "$want" "$work/err" || fail "$args, $what: no '$want': $(cat "$work/err")"
  done
done
cli_finish "cli write safety"
