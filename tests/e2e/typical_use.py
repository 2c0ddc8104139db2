#!/usr/bin/python3
"""The typical use of Lexalon, driven as a user drives it, in an X session of
its own: the splash gives way to the main window; a Windows-1252 text is
opened through the file dialog; its word list is shown, put in order of
decreasing frequency and saved; the list is closed, the text closed, and the
program quits.

Keys and clicks are real X events (xdotool). What the windows show is read
through the accessibility bus (AT-SPI), as a screen reader reads it: the
program has no hook for the test. A failure names its step and leaves a
screenshot beside the test's build files.
"""

import argparse
import os
import select
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

MAIN_TITLE = "Orvanta Calvexia - Listes du lexalon"
PROGRAM_TITLE = "Lexalon"
PROMPT_AT_START = "Chargez un fichier texte avec la commande Ouvrir"
PROMPT_AFTER_CLOSE = PROMPT_AT_START + "."
TO_FREQUENCIES = "Tri par fréquences décroissantes"
TO_ALPHABETICAL = "Tri alphabétique"
SAVED = "L'enregistrement est terminé."

# Deadlines, in seconds: generous, as the machine may be busy with a build.
START_DEADLINE = 30
STEP_DEADLINE = 20
QUIT_DEADLINE = 20
POLL = 0.1


class StepFailed(Exception):
    pass


def wait_until(what, probe, deadline=STEP_DEADLINE):
    """Polls probe until it gives a true value, which is returned."""
    end = time.monotonic() + deadline
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise StepFailed(f"{what}: not within {deadline} s")
        time.sleep(POLL)


def run(command, **kwargs):
    return subprocess.run(command, check=False, capture_output=True, text=True,
                          timeout=STEP_DEADLINE, **kwargs)


class Session:
    """An X server, a session bus and the accessibility bus, all this test's."""

    def __init__(self, folder):
        self.folder = folder
        self.log = folder / "session.log"
        self.processes = []
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(folder / "home"),
            "XDG_CONFIG_HOME": str(folder / "home" / ".config"),
            "XDG_RUNTIME_DIR": str(folder / "run"),
            "LANG": "C.UTF-8",
        }
        (folder / "home").mkdir()
        (folder / "run").mkdir(mode=0o700)

    def start(self):
        self.env["DISPLAY"] = self._start_x_server()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._start_session_bus()
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    def _spawn(self, command, **kwargs):
        """Starts a server in a process group of its own, its chatter in the log."""
        with open(self.log, "ab") as log:
            options = {"stdout": log, "stderr": log, **kwargs}
            process = subprocess.Popen(command, env=self.env, start_new_session=True,
                                       stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    @staticmethod
    def _read_line(fd, what):
        """The first line a starting server writes, such as its address. The
        line is read whole: a server whose line is cut dies writing the rest."""
        line = b""
        end = time.monotonic() + START_DEADLINE
        while not line.endswith(b"\n"):
            ready, _, _ = select.select([fd], [], [], max(0, end - time.monotonic()))
            chunk = os.read(fd, 256) if ready else b""
            if not chunk:
                raise StepFailed(f"{what} did not start within {START_DEADLINE} s")
            line += chunk
        return line.decode().strip()

    def _start_x_server(self):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        number = self._read_line(read_end, "Xvfb")
        os.close(read_end)
        return ":" + number

    def _start_session_bus(self):
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE)
        return self._read_line(bus.stdout.fileno(), "dbus-daemon")

    def stop(self):
        """Ends each server with what it started, such as the buses' services."""
        for process in reversed(self.processes):
            self._signal_group(process, signal.SIGTERM)
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._signal_group(process, signal.SIGKILL)
                process.wait()

    @staticmethod
    def _signal_group(process, number):
        try:
            os.killpg(process.pid, number)
        except ProcessLookupError:
            pass


class Screen:
    """The X side: windows by title, keyboard focus, keys, clicks."""

    def __init__(self, env):
        self.env = env

    def xdotool(self, *arguments):
        return run(["xdotool", *arguments], env=self.env)

    def windows(self, title):
        result = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$")
        return {int(line) for line in result.stdout.split()}

    def splash(self):
        """The program's one visible window of the splash type, if any."""
        result = self.xdotool("search", "--onlyvisible", "--class", f"^{PROGRAM_TITLE}$")
        for window in result.stdout.split():
            kind = run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"], env=self.env).stdout
            if "_NET_WM_WINDOW_TYPE_SPLASH" in kind:
                return int(window)
        return None

    def new_window(self, title, known):
        found = wait_until(f'a new window "{title}"', lambda: self.windows(title) - known)
        if len(found) != 1:
            raise StepFailed(f'{len(found)} new windows "{title}" instead of one')
        return found.pop()

    def wait_gone(self, window, title):
        wait_until(f'window "{title}" to close', lambda: window not in self.windows(title))

    def focus(self, window):
        if self.xdotool("windowfocus", "--sync", str(window)).returncode != 0:
            raise StepFailed(f"cannot give the keyboard to window {window}")

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)

    def click(self, extents):
        x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
        self.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def screenshot(self, path):
        run(["import", "-window", "root", str(path)], env=self.env)


class Accessibility:
    """What the program's windows show, read through AT-SPI."""

    def __init__(self, env):
        os.environ["DISPLAY"] = env["DISPLAY"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = env["DBUS_SESSION_BUS_ADDRESS"]
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        self.atspi = Atspi

    def top_levels(self):
        desktop = self.atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is None or application.get_name() != PROGRAM_TITLE:
                continue
            application.clear_cache()
            for j in range(application.get_child_count()):
                window = application.get_child_at_index(j)
                if window is not None:
                    yield window

    def window(self, role, title):
        for window in self.top_levels():
            if window.get_role_name() == role and window.get_name() == title:
                return window
        return None

    def descendants(self, node, role):
        if node is None:
            return
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is None:
                continue
            if child.get_role_name() == role:
                yield child
            yield from self.descendants(child, role)

    def texts(self, node, role):
        return [child.get_name() for child in self.descendants(node, role)]

    def named(self, node, role, name):
        for child in self.descendants(node, role):
            if child.get_name() == name:
                return child
        return None

    def showing(self, node):
        return node is not None and node.get_state_set().contains(self.atspi.StateType.SHOWING)

    def extents(self, node):
        return node.get_extents(self.atspi.CoordType.SCREEN)

    def value_after(self, window, caption):
        """The text of the label that follows a caption, as the statistics are laid out."""
        labels = self.texts(window, "label")
        return labels[labels.index(caption) + 1] if caption in labels else None


class TypicalUse:
    def __init__(self, arguments, folder):
        self.arguments = arguments
        self.folder = folder
        self.session = Session(folder)
        self.program = None
        self.program_log = folder / "lexalon.log"
        self.text = folder / "textes" / "extrait.txt"
        self.saved = folder / "textes" / "liste.txt"
        self.expected = None
        self.step = "starting the X session"

    # --- helpers ---

    def main_frame(self):
        return self.a11y.window("frame", MAIN_TITLE)

    def list_window(self):
        return self.a11y.window("dialog", MAIN_TITLE)

    def label_of_main(self):
        frame = self.main_frame()
        labels = self.a11y.texts(frame, "label") if frame else []
        return labels[0] if labels else None

    def choose(self, window, accessible_window, menu_key, item_key, item_name):
        """Opens a menu by its access key, waits until it shows, and picks an item."""
        self.screen.focus(window)
        self.screen.keys(f"alt+{menu_key}")
        wait_until(f'the menu item "{item_name}" to show',
                   lambda: self.a11y.showing(self.a11y.named(accessible_window(), "menu item", item_name)))
        self.screen.keys(item_key)

    def type_in_file_dialog(self, title, path):
        dialog = self.screen.new_window(title, set())
        self.screen.focus(dialog)
        self.screen.type(str(path))
        self.screen.keys("Return")
        self.screen.wait_gone(dialog, title)

    def message(self, title):
        return self.a11y.window("alert", title)

    def answer(self, title, button):
        box = wait_until(f'the message "{title}"', lambda: self.message(title))
        texts = [text for text in self.a11y.texts(box, "label") if text]
        self.screen.click(self.a11y.extents(self.a11y.named(box, "push button", button)))
        wait_until(f'the message "{title}" to close', lambda: self.message(title) is None)
        return texts

    def expect(self, what, actual, expected):
        if actual != expected:
            raise StepFailed(f"{what}: {actual!r} instead of {expected!r}")

    # --- the steps ---

    def start_session(self):
        self.session.start()
        self.screen = Screen(self.session.env)
        self.a11y = Accessibility(self.session.env)
        self.text.parent.mkdir()
        self.text.write_bytes(Path(self.arguments.sample).read_bytes())

    def splash_gives_way(self):
        env = dict(self.session.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        with open(self.program_log, "wb") as log:
            self.program = subprocess.Popen([self.arguments.lexalon], env=env, cwd=self.text.parent,
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        splash = wait_until("the splash window", self.screen.splash, START_DEADLINE)
        self.expect("main windows while the splash shows", self.screen.windows(MAIN_TITLE), set())
        self.screen.focus(splash)
        self.screen.keys("space")
        self.main = wait_until("the main window", lambda: self.screen.windows(MAIN_TITLE)).pop()
        wait_until("the splash to close", lambda: self.screen.splash() is None)
        wait_until("the main window on the accessibility bus", self.main_frame)
        self.expect("the label at start", self.label_of_main(), PROMPT_AT_START)

    def open_text(self):
        self.choose(self.main, self.main_frame, "f", "o", "Ouvrir...")
        self.type_in_file_dialog("Ouvrir", self.text)
        wait_until("the path in the label", lambda: self.label_of_main() == str(self.text))

    def show_word_list(self):
        self.choose(self.main, self.main_frame, "a", "l", "Liste du lexalon")
        self.list = self.screen.new_window(MAIN_TITLE, {self.main})
        window = wait_until("the word-list window on the accessibility bus", self.list_window)
        expected = self.expected_list()
        rows = expected.split(b"\r\n")[1:-1]
        total = sum(int(row.split(b"\t")[1]) for row in rows)
        self.expect("the total", self.a11y.value_after(window, "Nombre total de formes de l'extrait :"),
                    str(total))
        self.expect("the different forms",
                    self.a11y.value_after(window, "Nombre total de formes différentes :"), str(len(rows)))
        self.expect("the order button", self.a11y.texts(window, "push button"), [TO_FREQUENCIES])

    def press_command1(self):
        button = self.a11y.named(self.list_window(), "push button", TO_FREQUENCIES)
        self.screen.click(self.a11y.extents(button))
        wait_until("the button to offer the alphabetical order",
                   lambda: self.a11y.texts(self.list_window(), "push button") == [TO_ALPHABETICAL])

    def save_list(self):
        self.choose(self.list, self.list_window, "f", "e", "Enregistrer sous")
        self.type_in_file_dialog("Enregistrer sous", self.saved)
        self.expect("the completion message", self.answer(PROGRAM_TITLE, "OK"), [SAVED])
        self.expect("the saved list", self.saved.read_bytes(), self.expected_list())

    def close_list(self):
        self.choose(self.list, self.list_window, "f", "f", "Fermer")
        self.screen.wait_gone(self.list, MAIN_TITLE)
        wait_until("the word-list window to leave the accessibility bus", lambda: self.list_window() is None)

    def close_text(self):
        self.choose(self.main, self.main_frame, "f", "f", "Fermer")
        wait_until("the prompt after Close", lambda: self.label_of_main() == PROMPT_AFTER_CLOSE)
        self.expect("the text file after Close", self.text.read_bytes(),
                    Path(self.arguments.sample).read_bytes())

    def quit(self):
        self.choose(self.main, self.main_frame, "f", "q", "Quitter")
        try:
            status = self.program.wait(timeout=QUIT_DEADLINE)
        except subprocess.TimeoutExpired:
            raise StepFailed(f"the program still runs {QUIT_DEADLINE} s after Quitter") from None
        self.expect("the exit status", status, 0)
        self.expect("windows left", self.screen.windows(MAIN_TITLE), set())

    def expected_list(self):
        """What the batch command writes for the same text, in the same order."""
        if self.expected is None:
            result = subprocess.run([self.arguments.liste, str(self.text), "--frequences"],
                                    check=True, capture_output=True, timeout=STEP_DEADLINE)
            self.expected = result.stdout
        return self.expected

    # --- running ---

    def steps(self):
        return [
            ("starting the X session", self.start_session),
            ("the splash gives way to the main window", self.splash_gives_way),
            ("Ouvrir... through the file dialog", self.open_text),
            ("Liste du lexalon", self.show_word_list),
            ("Command1 to decreasing frequencies", self.press_command1),
            ("Enregistrer sous, then the completion message", self.save_list),
            ("Fermer on the word list", self.close_list),
            ("Fermer on the main window", self.close_text),
            ("Quitter", self.quit),
        ]

    def run(self):
        try:
            for number, (name, step) in enumerate(self.steps(), 1):
                self.step = f"step {number}, {name}"
                step()
                print(f"ok {number} - {name}", flush=True)
            return 0
        except Exception as failure:  # any fault of a step is reported with its screenshot
            self.report(failure)
            return 1
        finally:
            if self.program and self.program.poll() is None:
                self.program.kill()
                self.program.wait()
            self.session.stop()

    def report(self, failure):
        reason = failure if isinstance(failure, StepFailed) else f"{type(failure).__name__}: {failure}"
        print(f"FAILED at {self.step}: {reason}", flush=True)
        if "DISPLAY" in self.session.env:
            shot = Path(self.arguments.artifacts) / "e2e-failure.png"
            self.screen.screenshot(shot)
            print(f"screenshot: {shot}")
        for what, log in (("the program", self.program_log), ("the session's servers", self.session.log)):
            if log.exists():
                print(f"--- {what}:\n" + log.read_text(errors="replace"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lexalon", required=True)
    parser.add_argument("--liste", required=True)
    parser.add_argument("--sample", required=True)
    parser.add_argument("--artifacts", required=True, help="folder for the screenshot of a failure")
    arguments = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="lexalon-e2e-") as folder:
        return TypicalUse(arguments, Path(folder)).run()


if __name__ == "__main__":
    sys.exit(main())
