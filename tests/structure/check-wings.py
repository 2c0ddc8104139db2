#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the tree's one-way rule: each source file stands in a wing and
includes only files of its own wing or of a lower one; no two folders include
each other, even through others; the headers of Qt's widget, GUI, printing,
chart and SVG modules appear only in gui/ and app/; app/ holds main.cpp files
alone. Prints each breach and exits 1 if there is any.

    check-wings.py SOURCE_DIR QT_GUI_INCLUDE_DIR...
"""

import os
import re
import sys

# Lowest first; wings of one level may not include each other.
LEVELS = {"platform": 1, "text": 2, "wordforms": 3, "shell": 3, "formats": 4, "commands": 5,
          "cli": 6, "gui": 6, "app": 7}
OUTSIDE = ("tests", "bench", "fuzz", "resources", "scripts", "docs", "samples")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def sources(root):
    for folder, dirs, files in os.walk(root):
        relative = os.path.relpath(folder, root)
        top = relative.split(os.sep)[0]
        if relative != "." and (top.startswith(".") or top in OUTSIDE or top.startswith("build")):
            dirs.clear()
            continue
        for name in files:
            if name.endswith((".cpp", ".h")):
                yield os.path.normpath(os.path.join(relative, name)).replace(os.sep, "/")


def gui_headers(include_dirs):
    headers = set()
    for folder in include_dirs:
        module = os.path.basename(folder.rstrip("/"))
        if module in ("QtWidgets", "QtGui", "QtPrintSupport", "QtCharts", "QtSvg") and os.path.isdir(folder):
            headers.update(os.listdir(folder))
            headers.update(module + "/" + name for name in os.listdir(folder))
            headers.add(module)
    return headers


def main():
    root, include_dirs = sys.argv[1], sys.argv[2:]
    forbidden = gui_headers(include_dirs)
    breaches = []
    edges = {}
    for path in sorted(sources(root)):
        wing = path.split("/")[0]
        if wing not in LEVELS:
            breaches.append(f"{path}: outside every wing")
            continue
        if wing == "app" and os.path.basename(path) != "main.cpp":
            breaches.append(f"{path}: app/ holds main.cpp files alone")
        with open(os.path.join(root, path), encoding="utf-8") as source:
            text = source.read()
        for kind, included in INCLUDE.findall(text):
            if kind == "<":
                if wing not in ("gui", "app") and included in forbidden:
                    breaches.append(f"{path}: includes <{included}>, a header of Qt's windows")
                continue
            target = included.split("/")[0]
            if target not in LEVELS:
                continue
            if LEVELS[target] > LEVELS[wing] or (LEVELS[target] == LEVELS[wing] and target != wing):
                breaches.append(f"{path}: includes {included}, of a wing above or beside its own")
            here, there = os.path.dirname(path), os.path.dirname(included)
            if here != there:
                edges.setdefault(here, set()).add(there)
    # A folder that reaches itself again through its includes.
    for start in sorted(edges):
        seen, stack = set(), list(edges[start])
        while stack:
            folder = stack.pop()
            if folder == start:
                breaches.append(f"{start}/: its includes come back to it")
                break
            if folder not in seen:
                seen.add(folder)
                stack.extend(edges.get(folder, ()))
    for breach in breaches:
        print(breach)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
