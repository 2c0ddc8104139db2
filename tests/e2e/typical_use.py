#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The typical use of Lexalon, driven as a user drives it: real X events in
(xdotool), the windows read through the accessibility bus (AT-SPI). A failure
names its step and leaves a screenshot beside the test's build files."""

import argparse
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

MAIN = "Orvanta Calvexia - Listes du lexalon"
ABOUT = "Projet Orvanta Calvexia - A propos de"
CORPUS = "Corpus – 3 textes"
PROMPT = "Chargez un fichier texte avec la commande Ouvrir"
DEADLINE = 30  # seconds, generous: the machine may be busy with a build


def wait_until(what, probe):
    end = time.monotonic() + DEADLINE
    while not (value := probe()):
        if time.monotonic() > end:
            raise AssertionError(f"{what}: not within {DEADLINE} s")
        time.sleep(0.1)
    return value


def expect(what, actual, expected):
    if actual != expected:
        raise AssertionError(f"{what}: {actual!r} instead of {expected!r}")


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=DEADLINE).stdout


def windows(title):
    return {int(w) for w in run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()}


def new_window(title, known=frozenset()):
    found = wait_until(f'a new window "{title}"', lambda: windows(title) - known)
    expect(f'new windows "{title}"', len(found), 1)
    return found.pop()


def gone(window, title):
    wait_until(f'window "{title}" to close', lambda: window not in windows(title))


def splash():
    return [w for w in run("xdotool", "search", "--onlyvisible", "--class", "^Lexalon$").split()
            if "_NET_WM_WINDOW_TYPE_SPLASH" in run("xprop", "-id", w, "_NET_WM_WINDOW_TYPE")]


def keys(window, *names):
    run("xdotool", "windowfocus", "--sync", str(window), "key", "--clearmodifiers", *names)


def click(node):
    box = node.get_extents(Atspi.CoordType.SCREEN)
    run("xdotool", "mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def accessible(role, title):
    for application in (a for a in children(Atspi.get_desktop(0)) if a.get_name() == "Lexalon"):
        application.clear_cache()
        return next((w for w in children(application) if w.get_role_name() == role and w.get_name() == title), None)


def nodes(node, role):
    for child in children(node) if node else []:
        yield from [child] if child.get_role_name() == role else []
        yield from nodes(child, role)


def texts(node, role):
    return [child.get_name() for child in nodes(node, role)]


def named(node, role, name):
    return next((child for child in nodes(node, role) if child.get_name() == name), None)


def choose(window, role, menu_key, item_key, item, title=MAIN):
    # The item is picked once the menu, opened by its access key, shows it.
    keys(window, f"alt+{menu_key}")
    wait_until(f'the menu item "{item}"', lambda: (node := named(accessible(role, title), "menu item", item))
               and node.get_state_set().contains(Atspi.StateType.SHOWING))
    keys(window, item_key)


def file_dialog(title, path):
    dialog = new_window(title)
    run("xdotool", "windowfocus", "--sync", str(dialog), "type", "--delay", "20", str(path))
    keys(dialog, "Return")
    gone(dialog, title)


def save_through_dialog(window, title, path):
    choose(window, "dialog", "f", "e", "Enregistrer sous", title)
    file_dialog("Enregistrer sous", path)
    box = wait_until("the message", lambda: accessible("alert", "Lexalon"))
    expect("the message", [t for t in texts(box, "label") if t], ["L'enregistrement est terminé."])
    click(named(box, "push button", "OK"))
    wait_until("the message to close", lambda: accessible("alert", "Lexalon") is None)


def label():
    return next(iter(texts(accessible("frame", MAIN), "label")), None)


def typical_use(arguments, folder, program):
    text, saved, printed = folder / "extrait.txt", folder / "liste.txt", folder / "liste.pdf"
    text.write_bytes(Path(arguments.sample).read_bytes())
    expected = subprocess.run([arguments.liste, str(text), "--frequences"], check=True, capture_output=True,
                              timeout=DEADLINE).stdout

    yield "the splash gives way to the main window"
    environment = dict(os.environ, HOME=str(folder), XDG_CONFIG_HOME=str(folder / ".config"))
    program.append(subprocess.Popen([arguments.lexalon], cwd=folder, stdin=subprocess.DEVNULL, stdout=program[0],
                                    stderr=program[0], env=environment))
    first = wait_until("the splash window", splash)[0]
    expect("main windows while the splash shows", windows(MAIN), set())
    keys(first, "space")
    main = wait_until("the main window", lambda: windows(MAIN)).pop()
    wait_until("the splash to close", lambda: not splash())
    wait_until("the prompt", lambda: label() == PROMPT)

    yield "Ouvrir... through the file dialog"
    choose(main, "frame", "f", "o", "Ouvrir...")
    file_dialog("Ouvrir", text)
    wait_until("the path in the label", lambda: label() == str(text))
    pane = named(accessible("frame", MAIN), "text", str(text))
    expect("the text read from the pane", pane and Atspi.Text.get_text(pane, 0, 300),
           text.read_bytes().decode("cp1252")[:300])

    yield "Liste du lexalon, then the order of decreasing frequencies"
    choose(main, "frame", "a", "l", "Liste du lexalon")
    words = new_window(MAIN, {main})
    window = wait_until("the word list on the accessibility bus", lambda: accessible("dialog", MAIN))
    rows, labels = expected.split(b"\r\n")[1:-1], texts(window, "label")
    for caption, value in (("Nombre total de formes de l'extrait :", sum(int(r.split(b"\t")[1]) for r in rows)),
                           ("Nombre total de formes différentes :", len(rows))):
        expect(caption, f"{caption} {value}" in labels, True)
    expect("the labels read once, none hidden", [t for t in labels if t in ("Listes du lexalon", "tot")],
           ["Listes du lexalon"])
    expect("the grid's name", named(window, "table", "Liste des formes") is not None, True)
    expect("a description of the window", bool(window.get_description()), True)
    click(named(window, "push button", "Tri par fréquences décroissantes"))
    wait_until("the alphabetical order offered", lambda: texts(window, "push button") == ["Tri alphabétique"])

    yield "Enregistrer sous, then the completion message"
    save_through_dialog(words, MAIN, saved)
    expect("the saved list", saved.read_bytes(), expected)

    yield "Entrée on a form opens its concordance; sorted and saved, it is the batch command's"
    keys(words, "shift+Tab", "d", "e", "Return")  # from the button back to the list
    found = wait_until("the concordance window", lambda: run("xdotool", "search", "--onlyvisible", "--name",
                                                             "^Concordance de « .* »$").split())
    concordance, title = int(found[0]), run("xdotool", "getwindowname", found[0]).strip()
    wait_until("the concordance on the accessibility bus", lambda: accessible("dialog", title))
    keys(concordance, "alt+t", "Down")  # the sort list: the first word on the left
    save_through_dialog(concordance, title, concordance_file := folder / "concordance.txt")
    form = title.removeprefix("Concordance de « ").removesuffix(" »")
    expect("the saved concordance", concordance_file.read_bytes(),
           subprocess.run([arguments.liste, "--concordance", form, "--tri", "gauche1", str(text)], check=True,
                          capture_output=True, timeout=DEADLINE).stdout)
    keys(concordance, "Escape")
    gone(concordance, title)

    yield "Imprimer, into a PDF file"
    choose(words, "dialog", "f", "i", "Imprimer")
    dialog = new_window("Imprimer")
    name = wait_until("the file name", lambda: next(iter(nodes(accessible("dialog", "Imprimer"), "text")), None))
    Atspi.EditableText.set_text_contents(name, str(printed))
    keys(dialog, "Return")
    gone(dialog, "Imprimer")
    wait_until("the printed file", lambda: printed.exists() and printed.read_bytes().startswith(b"%PDF"))

    yield "A propos de, then OK"
    choose(words, "dialog", "a", "a", "A propos de")
    keys(about := new_window(ABOUT), "Return")
    gone(about, ABOUT)

    yield "Fermer on the word list, then on the main window"
    choose(words, "dialog", "f", "f", "Fermer")
    gone(words, MAIN)
    choose(main, "frame", "f", "f", "Fermer")
    wait_until("the prompt after Fermer", lambda: label() == PROMPT + ".")
    expect("the text after Fermer", text.read_bytes(), Path(arguments.sample).read_bytes())

    yield "Quitter"
    choose(main, "frame", "f", "q", "Quitter")
    expect("the exit status", program[1].wait(timeout=DEADLINE), 0)
    expect("windows left", windows(MAIN), set())

    yield "lexalon FICHIER opens the file once the main window shows"
    program.append(subprocess.Popen([arguments.lexalon, text.name, "ignoré.txt"], cwd=folder, stdin=subprocess.DEVNULL,
                                    stdout=program[0], stderr=program[0], env=environment))
    keys(wait_until("the splash window", splash)[0], "space")
    main = wait_until("the main window", lambda: windows(MAIN)).pop()
    wait_until("the path in the label", lambda: label() == str(text))

    yield "A corpus of three texts: a search, the concordance of a form, saved as the batch command writes it"
    lines = Path(arguments.sample).read_bytes().splitlines(keepends=True)
    names = ["a.txt", "b.txt", "c.txt"]
    for number, name in enumerate(names):
        (folder / name).write_bytes(b"".join(lines[number::3]))
    choose(main, "frame", "c", "o", "Ouvrir des textes…")
    file_dialog("Ouvrir", " ".join(f'"{name}"' for name in names))
    corpus = new_window(CORPUS)
    window = wait_until("the workspace on the accessibility bus", lambda: accessible("frame", CORPUS))
    keys(corpus, "ctrl+f", "d", "e")
    wait_until("the count of the forms shown", lambda: any(" affichées sur " in t for t in texts(window, "label")))
    heading = wait_until("the concordance of « de »", lambda: next(
        (t for t in texts(accessible("frame", CORPUS), "label") if t.endswith(" de « de »")), None))
    keys(corpus, "ctrl+shift+s")
    file_dialog("Enregistrer sous", concordance_file := folder / "corpus-de.txt")
    box = wait_until("the message", lambda: accessible("alert", "Lexalon"))
    click(named(box, "push button", "OK"))
    wait_until("the message to close", lambda: accessible("alert", "Lexalon") is None)
    batch = subprocess.run([arguments.liste, "--concordance", "de", *names], cwd=folder, check=True,
                           capture_output=True, timeout=DEADLINE).stdout
    expect("the saved concordance", concordance_file.read_bytes(), batch)
    expect("the lines counted", heading.split(" ")[0].replace("\u202f", ""), str(batch.count(b"\r\n") - 1))
    keys(corpus, "ctrl+w")
    gone(corpus, CORPUS)
    choose(main, "frame", "f", "q", "Quitter")
    expect("the exit status", program[2].wait(timeout=DEADLINE), 0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("--lexalon", "--liste", "--sample", "--artifacts"):
        parser.add_argument(option, required=True)
    arguments, step = parser.parse_args(), "preparing"
    with tempfile.TemporaryDirectory(prefix="lexalon-e2e-") as name, open(Path(name) / "lexalon.log", "w+b") as log:
        program = [log]
        try:
            for number, step in enumerate(typical_use(arguments, Path(name), program), 1):
                print(f"{number} - {step}", flush=True)
            print("ok", flush=True)
            return 0
        except Exception as failure:  # any fault of a step is reported with its screenshot
            print(f"FAILED at {step}: {type(failure).__name__}: {failure}", flush=True)
            run("import", "-window", "root", str(Path(arguments.artifacts) / "e2e-failure.png"))
            log.seek(0)
            print("--- the program:\n" + log.read().decode(errors="replace"))
            return 1
        finally:
            for child in program[1:]:  # killing one that has ended does nothing
                child.kill()
                child.wait()


if __name__ == "__main__":
    sys.exit(main())
