#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the two sample texts from the one written by hand.

samples/extrait-utf8.txt is the text as we wrote it. This script gives it
CR LF line ends and writes the same text in Windows-1252 to
samples/extrait-cp1252.txt, so that both samples hold the same characters.
Run it again after editing the UTF-8 text.
"""

from pathlib import Path

SAMPLES = Path(__file__).resolve().parent.parent / "samples"
SOURCE = SAMPLES / "extrait-utf8.txt"
WINDOWS_1252 = SAMPLES / "extrait-cp1252.txt"


def with_crlf(text: str) -> str:
    lines = text.replace("\r\n", "\n").replace("\r", "\n").rstrip("\n").split("\n")
    return "\r\n".join(lines) + "\r\n"


def main() -> None:
    text = with_crlf(SOURCE.read_text(encoding="utf-8-sig"))
    SOURCE.write_bytes(text.encode("utf-8"))
    WINDOWS_1252.write_bytes(text.encode("cp1252"))


if __name__ == "__main__":
    main()
