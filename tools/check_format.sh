#!/usr/bin/env bash
# check_format.sh: every C++ source of the repository is laid out as the
# repository's .clang-format says, so a change shows only what it changes.
# Run by `make test`; `clang-format -i FILE` (or `git clang-format` before a
# commit) puts a file right.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
differ=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  clang-format --style=file "$file" | cmp -s - "$file" || differ+=("$file")
done
if [ ${#differ[@]} -gt 0 ]; then
  echo "${#differ[@]} file(s) differ from .clang-format (clang-format -i to mend):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
echo "${#files[@]} files follow .clang-format"
