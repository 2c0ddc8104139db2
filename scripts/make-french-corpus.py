#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a real French text for the benchmarks: the French translations of
the programs installed (their gettext catalogues) and the French manual
pages, in Windows-1252 with CR LF line ends, repeated to the size asked."""

import argparse
import gettext
import glob
import re
import subprocess
import sys

# Printf directives, placeholders, markup and access-key markers are not French.
NOT_PROSE = re.compile(r"%[-#0 +']*\d*(?:\.\d+)?[hlLqjzt]*[a-zA-Z%]|\{\w*\}|<[^>]+>|[_&](?=\w)")


def catalogue_messages():
    for path in sorted(glob.glob("/usr/share/locale/fr/LC_MESSAGES/*.mo")):
        try:
            with open(path, "rb") as catalogue:
                translations = gettext.GNUTranslations(catalogue)
        except (OSError, UnicodeDecodeError):
            continue
        for source, message in sorted(translations._catalog.items(), key=str):
            if source and isinstance(message, str):
                yield NOT_PROSE.sub("", message).strip()


def manual_pages():
    for path in sorted(glob.glob("/usr/share/man/fr/man*/*")):
        page = subprocess.run(["man", "-l", path], capture_output=True, text=True, errors="replace",
                              env={"MANWIDTH": "80", "LANG": "C.UTF-8", "PATH": "/usr/bin:/bin"}).stdout
        yield subprocess.run(["col", "-bx"], input=page, capture_output=True, text=True).stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--megabytes", type=int, default=100)
    arguments = parser.parse_args()
    text = "\n".join(line for line in catalogue_messages() if line) + "\n" + "\n".join(manual_pages())
    unit = text.replace("\r", "").replace("\n", "\r\n").encode("cp1252", errors="replace")
    if len(unit) < 1 << 20:
        sys.exit("make-french-corpus: too little French material here (the locales and manual pages in French)")
    size = arguments.megabytes << 20
    with open(arguments.output, "wb") as output:
        written = 0
        while written < size:
            piece = unit[: size - written]
            output.write(piece)
            written += len(piece)
    print(f"{arguments.output}: {written >> 20} MB, from {len(unit) >> 10} KB of French")


if __name__ == "__main__":
    main()
