#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws Lexalon's pictures and icon into resources/ with ImageMagick.

The results are kept in the repository; run this again only to change them:
    python3 scripts/make-pictures.py
"""
import pathlib
import subprocess

RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "resources"
FONT = "Liberation-Serif-Bold"

BAND = "rgb(128,128,255)"
YELLOW = "rgb(255,255,192)"
NAVY = "rgb(0,0,128)"
RED = "rgb(255,0,0)"

# The window icon's sizes, and those the desktop's icon theme is given.
WINDOW_ICON_SIZES = (16, 32, 48)
THEME_ICON_SIZES = (16, 32, 48, 64, 128, 256)

# No time stamps in the PNG files, so that drawing them again changes nothing.
REPRODUCIBLE_PNG = ("-define", "png:exclude-chunks=date,time")


def convert(*args):
    subprocess.run(["convert", *map(str, args)], check=True)


def logo(path):
    """125 x 138: an open book under a serif L, on the title band's blue."""
    convert(
        "-size", "125x138", f"xc:{BAND}",
        "-fill", YELLOW, "-stroke", NAVY, "-strokewidth", "2",
        "-draw", "roundrectangle 6,6 118,131 10,10",
        "-fill", "white", "-stroke", NAVY, "-strokewidth", "2",
        "-draw", "polygon 14,92 60,84 62,124 16,130",
        "-draw", "polygon 64,84 110,92 108,130 62,124",
        "-stroke", BAND, "-strokewidth", "2",
        "-draw", "line 22,100 54,95", "-draw", "line 22,108 54,103",
        "-draw", "line 22,116 54,111", "-draw", "line 70,95 102,100",
        "-draw", "line 70,103 102,108", "-draw", "line 70,111 102,116",
        "-stroke", "none", "-fill", NAVY, "-font", FONT, "-pointsize", "78",
        "-gravity", "north", "-annotate", "+0+2", "L",
        "-fill", RED, "-pointsize", "14", "-annotate", "+0+68", "LEXALON",
        "-colors", "64", path,
    )


def picture(path):
    """100 x 220, 16 colours: a column of word forms falling in size, like a
    word list read by decreasing frequency."""
    words = ["le", "de", "la", "et", "les", "un", "des", "en", "que", "il", "une"]
    args = ["-size", "100x220", f"xc:{YELLOW}",
            "-fill", BAND, "-draw", "rectangle 0,0 99,219",
            "-fill", YELLOW, "-draw", "rectangle 4,4 95,215",
            "-font", FONT, "-fill", NAVY]
    y = 28
    for rank, word in enumerate(words):
        size = 24 - rank * 1.5
        colour = RED if rank % 3 == 0 else NAVY
        args += ["-fill", colour, "-pointsize", f"{size:g}",
                 "-annotate", f"+10+{y}", word,
                 "-fill", BAND, "-draw", f"rectangle 62,{y - 10} {62 + 30 - rank * 2},{y - 4}"]
        y += int(size * 0.75) + 3
    convert(*args, "-dither", "None", "-colors", "16", "-type", "Palette",
            "-define", "bmp:format=bmp3", "-depth", "4", f"BMP3:{path}")


def icon(path, size):
    """A navy L on the blue band, with a small red rule: readable at 16 pixels."""
    scale = size / 32
    convert(
        "-size", f"{size}x{size}", "xc:none",
        "-fill", BAND, "-stroke", NAVY, "-strokewidth", f"{max(1, round(scale))}",
        "-draw", f"roundrectangle 1,1 {size - 2},{size - 2} {4 * scale:g},{4 * scale:g}",
        "-stroke", "none", "-fill", "white", "-font", FONT,
        "-pointsize", f"{30 * scale:g}", "-gravity", "center",
        "-annotate", f"+0-{1 * scale:g}", "L",
        "-fill", RED,
        "-draw", f"rectangle {6 * scale:g},{25 * scale:g} {25 * scale:g},{27 * scale:g}",
        "-colors", "16", *REPRODUCIBLE_PNG, f"PNG32:{path}",
    )


def main():
    RESOURCES.mkdir(exist_ok=True)
    logo(RESOURCES / "logo.gif")
    picture(RESOURCES / "picture.bmp")
    for size in THEME_ICON_SIZES:
        icon(RESOURCES / f"icon-{size}.png", size)
    convert(*(RESOURCES / f"icon-{size}.png" for size in WINDOW_ICON_SIZES), RESOURCES / "lexalon.ico")


if __name__ == "__main__":
    main()
