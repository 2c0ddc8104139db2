#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs two builds of lexalon-liste on the same inputs and reports any
difference in output, messages or status.

    python3 scripts/compare-liste.py OLD/lexalon-liste NEW/lexalon-liste [FILE...]

The inputs are the samples, the fuzzers' seed corpora, the files given, and
texts made here that cross the reader's and the scan's boundaries: long
forms, every byte value, pieces of several megabytes, each encoding.
"""
import os
import pathlib
import random
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
OPTIONS = [[], ["--frequences"], ["--statistiques"], ["--concordance", "le", "--tri", "droite1"]]


def made_texts(folder):
    rng = random.Random(17)
    letters = "abcdefghijklmnopqrstuvwxyzàâçéèêëîïôûùüÿæœABCÉÈÀŒŠšŽžŸß"
    words = ["".join(rng.choice(letters) for _ in range(rng.randint(1, 12))) for _ in range(3000)]
    prose = " ".join(rng.choice(words) for _ in range(600_000)) + "\r\n"
    texts = {
        "empty.txt": b"",
        "every-byte.txt": bytes(range(256)) * 4000,
        "random-bytes.txt": bytes(rng.randrange(256) for _ in range(3_000_000)),
        "long-form.txt": b"x" * 5000 + b" " + b"ab" * 3_000_000 + b". fin",
        "prose-cp1252.txt": prose.encode("cp1252", "replace"),
        "prose-utf8.txt": prose.encode("utf-8"),
        "prose-utf8-bom.txt": b"\xef\xbb\xbf" + prose[:200_000].encode("utf-8"),
        "prose-utf16.txt": prose[:200_000].encode("utf-16"),
        "ascii-then-latin1.txt": b"le chat " * 300_000 + b"\xe9t\xe9",
        "cut-utf8.txt": ("été " * 300_000).encode("utf-8") + b"\xc3",
        "letters-only.txt": b"abc\xe9" * 1_000_000,
    }
    paths = []
    for name, data in texts.items():
        path = folder / name
        path.write_bytes(data)
        paths.append(path)
    return paths


def run(program, arguments):
    done = subprocess.run([program, *arguments], capture_output=True, timeout=600)
    return done.returncode, done.stdout, done.stderr


def main():
    old, new, *given = sys.argv[1:]
    with tempfile.TemporaryDirectory() as folder:
        inputs = [*sorted((ROOT / "samples").glob("*.txt")), *sorted((ROOT / "fuzz/corpus").rglob("*")),
                  *map(pathlib.Path, given), *made_texts(pathlib.Path(folder))]
        inputs = [path for path in inputs if path.is_file()]
        runs = differences = 0
        for path in inputs:
            for options in OPTIONS:
                runs += 1
                before, after = run(old, [*options, str(path)]), run(new, [*options, str(path)])
                if before != after:
                    differences += 1
                    print(f"DIFFERENT: {' '.join(options)} {path}")
        print(f"{len(inputs)} inputs, {runs} runs, {differences} different")
        return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
