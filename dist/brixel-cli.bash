# bash completion for brixel-cli: commands, their options, and file names.
# The commands and options come from the --help texts of the brixel-cli being
# completed, so the lists are always those of the installed program.

_brixel_cli_files() {
  compopt -o filenames 2>/dev/null || true  # fails outside a completion
  local IFS=$'\n'
  COMPREPLY=($(compgen -f -- "$cur"))
}

_brixel_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]}
  COMPREPLY=()

  if [ "$COMP_CWORD" -eq 1 ]; then
    local commands
    # The usage lists each command as "  NAME ARGS..."; a few appear twice.
    commands=$("$program" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\?$/\1/p' | sort -u)
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return 0
  fi

  local usage i
  usage=$("$program" "${COMP_WORDS[1]}" --help 2>/dev/null) || return 0
  # After "--" everything is a name.
  for ((i = 2; i < COMP_CWORD; i++)); do
    if [ "${COMP_WORDS[i]}" = "--" ]; then
      _brixel_cli_files
      return 0
    fi
  done
  # The value of an option: the words the usage lists as "--opt a|b|c", a
  # file name where it says OUT, a folder for DIR, nothing to offer for
  # numbers and texts.
  if [[ $prev =~ ^--[a-z-]+$ ]]; then
    local value words
    words=$(grep -oE -- "$prev [a-z0-9]+(\|[a-z0-9]+)+" <<<"$usage" | head -n 1)
    if [ -n "$words" ]; then
      words=${words#* }
      COMPREPLY=($(compgen -W "${words//|/ }" -- "$cur"))
      return 0
    fi
    value=$(grep -o -- "$prev [A-Z][A-Z0-9]*" <<<"$usage" | head -n 1)
    if [ -n "$value" ]; then
      case ${value##* } in
        OUT) _brixel_cli_files ;;
        DIR)
          compopt -o filenames 2>/dev/null || true
          local IFS=$'\n'
          COMPREPLY=($(compgen -d -- "$cur"))
          ;;
      esac
      return 0
    fi
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u) --help" -- "$cur"))
    return 0
  fi
  _brixel_cli_files
}

complete -F _brixel_cli brixel-cli
