# The longest input each fuzz target is given, for tools/test.sh,
# tools/fuzz_rates.sh and the seed scripts (sourced, not run).
# Most targets read whole files of up to 70,000 bytes. The ANSI target reads
# every input twice, once a byte at a time, and every state of the
# interpreter is reached within a few kilobytes (a cursor move reaches the
# last row, the widest picture or the cell limit in a dozen bytes): shorter
# inputs let it run ten times as many of them, and its seeds are the real
# art cut into pieces of that length.
# A FIGlet font's first 95 characters, all the reader takes, fill 12 KB in
# the largest of figlet's own fonts; longer inputs only add lines it skips
# or end marks it strips.
fuzz_max_len() {
  case "$1" in
    ansi) echo 4096 ;;
    figlet) echo 16384 ;;
    *) echo 70000 ;;
  esac
}
