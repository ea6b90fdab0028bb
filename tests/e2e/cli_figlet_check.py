#!/usr/bin/env python3
"""brixel-cli export and import against Debian's figlet and toilet.

  cli_figlet_check.py export BRIXEL_CLI TDF_DIR WORK
      every font of the corpus exported as TLF (and FLF): toilet (figlet)
      prints what `render --format text` prints, for the characters it has
  cli_figlet_check.py import BRIXEL_CLI FIGLET_DIR WORK
      every .flf and .tlf font imported into one file: drawn from there and
      read directly, it prints what `figlet -W` prints; a font whose
      characters need the nearest shapes says so in a note

Outputs are compared line for line without the blanks at the end of a line,
which render leaves out. Exit code 0 when every check holds.
"""

import re
import shutil
import subprocess
import sys
from pathlib import Path

ALL = "".join(chr(c) for c in range(33, 127))
failures = []


def run(args, stdin=None):
    return subprocess.run(args, input=stdin, capture_output=True, encoding="utf-8")


def lines(text):
    return [line.rstrip(" ") for line in text.removesuffix("\n").split("\n")]


def compare(got, want, what):
    got, want = lines(got), lines(want)
    if len(got) != len(want):
        failures.append(f"{what}: {len(got)} lines where the reference has {len(want)}")
    for row, (mine, theirs) in enumerate(zip(got, want)):
        if mine != theirs:
            col = next((i for i, (a, b) in enumerate(zip(mine, theirs)) if a != b),
                       min(len(mine), len(theirs)))
            failures.append(f"{what}: line {row + 1} column {col + 1}: "
                            f"{mine[col:col + 20]!r} where the reference has {theirs[col:col + 20]!r}")
            return


def render(cli, font, text, *options):
    """render --format text of text (read from standard input, taken as it is)."""
    done = run([cli, "render", "--width", "0", "--format", "text", *options, font, "-"], text)
    missing = set(re.findall(r"no glyph for '(.)'", done.stderr))
    return done.stdout, missing


def export(cli, folder, work):
    toilet, figlet = shutil.which("toilet"), shutil.which("figlet")
    fonts = 0
    for tdf in sorted(Path(folder).glob("*.[tT][dD][fF]")):
        listed = run([cli, "list", "--json", str(tdf)])
        for number in range(1, listed.stdout.count('"number"') + 1):
            font = f"{tdf}:{number}"
            style = str(number % 19)  # Outline fonts in many styles
            _, missing = render(cli, font, ALL, "--outline-style", style)
            have = "".join(c for c in ALL if c not in missing)
            if not have:
                continue
            # A space in the middle: one column and the spacing on both sides.
            text = have[: len(have) // 2] + " " + have[len(have) // 2 :]
            want, _ = render(cli, font, text, "--outline-style", style)
            fonts += 1
            for form, program, args in (("tlf", toilet, ["-d", str(work), "-f"]),
                                        ("flf", figlet, ["-f"])):
                out = Path(work) / f"{tdf.stem}-{number}.{form}"
                made = run([cli, "export", "--format", form, "--font", str(number),
                            "--outline-style", style, str(tdf), str(out)])
                if made.returncode != 0:
                    failures.append(f"export {font} as {form}: {made.stderr}")
                elif program:
                    name = out.name if form == "tlf" else str(out)
                    shown = run([program, "-w", "100000", *args, name, text])
                    compare(want, shown.stdout, f"{Path(program).name} with {font} as {form}")
    print(f"{fonts} corpus fonts exported and compared")


def import_(cli, folder, work):
    figlet = shutil.which("figlet")
    target = str(Path(work) / "imported.tdf")
    number = noted = 0
    for font in sorted(Path(folder).glob("*.[ft]lf")):
        done = run([cli, "import", str(font), target])
        if done.returncode != 0:
            failures.append(f"import {font.name}: {done.stderr}")
            continue
        number += 1
        direct, missing = render(cli, str(font), ALL, "--no-case-fallback")
        text = "".join(c for c in ALL if c not in missing)
        drawn, _ = render(cli, f"{target}:{number}", text, "--no-case-fallback")
        compare(drawn, render(cli, str(font), text, "--no-case-fallback")[0],
                f"{font.name} imported and read directly")
        if "note:" in done.stderr:
            noted += 1  # drawn with the nearest shapes code page 437 has, as the note says
            continue
        # Brixel lays every font out left to right (ivrit's header asks for right to left).
        shown = run([figlet, "-W", "-L", "-w", "100000", "-f", str(font), text])
        compare(drawn, shown.stdout, f"figlet -W with {font.name}")
    listed = run([cli, "list", "--json", target]).stdout
    if listed.count('"number"') != number:
        failures.append(f"{target} lists other than the {number} fonts imported:\n{listed}")
    print(f"{number} FIGlet and TOIlet fonts imported, {number - noted} of them compared with "
          f"figlet, {noted} drawn with nearer shapes")


def main(argv):
    what, cli, folder, work = argv[1:5]
    (export if what == "export" else import_)(cli, folder, work)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
