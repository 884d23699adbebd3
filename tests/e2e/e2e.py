#!/usr/bin/env python3
"""Drives the real program in an X server from outside, as a user would: clicks
at the controls' fixed places with xdotool and types into the real file dialogs.

Run inside an X server (the CTest entry uses xvfb-run):
    e2e.py --app build/mandorin --grab build/grab_screen [--screenshots DIR]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 15.0


def xdotool(*args, check=True):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
    return result.stdout.strip()


def describe_windows():
    ids = xdotool("search", "--onlyvisible", "--name", ".", check=False).split()
    return [f"{xdotool('getwindowname', w, check=False)!r} "
            + xdotool("getwindowgeometry", w, check=False).replace("\n", " ") for w in ids]


def poll(what, condition, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out waiting for {what}; visible: {describe_windows()}")
        time.sleep(0.05)


def visible_window(title):
    out = xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
    ids = out.split()
    return ids[-1] if ids else None


def untitled_windows():
    """Visible windows titled with the bare program name: the main window and
    popups such as a file dialog's completion list."""
    return set(xdotool("search", "--onlyvisible", "--name", "^Mandorin$", check=False).split())


def wait_window(title):
    return poll(f"window '{title}'", lambda: visible_window(title))


def wait_gone(title):
    poll(f"window '{title}' to close", lambda: visible_window(title) is None)


def geometry(window):
    """The window's client area on the screen: x, y, width, height."""
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).splitlines())
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


class Window:
    """A top-level window and clicks relative to its client area."""

    def __init__(self, title):
        self.title = title
        self.id = wait_window(title)
        self.x, self.y, _, _ = geometry(self.id)

    def click(self, x, y):
        xdotool("mousemove", "--sync", self.x + x, self.y + y)
        xdotool("click", "1")
        time.sleep(0.05)

    def click_centre(self, left, top, width, height):
        self.click(left + width // 2, top + height // 2)


# Offsets of the main window's containers inside its client area.
PANEL = (8, 8)
GRAPHEN = (PANEL[0] + 8, PANEL[1] + 48)
ALGORITHMUS = (PANEL[0] + 584, PANEL[1] + 48)
SORTIER = (ALGORITHMUS[0] + 216, ALGORITHMUS[1] + 376)
WERKZEUGE = (GRAPHEN[0] + 280, GRAPHEN[1] + 16)


def at(origin, left, top, width, height):
    return (origin[0] + left, origin[1] + top, width, height)


RADIO = at(GRAPHEN, 8, 24, 257, 113)
BERECHNEN = at(ALGORITHMUS, 216, 320, 361, 33)
REDUNDANZ = at(SORTIER, 8, 24, 137, 25)
AUFSTEIGEND = at(SORTIER, 8, 56, 137, 25)
SPEICHERN = at(ALGORITHMUS, 64, 496, 97, 25)
HEURISTIK = at(GRAPHEN, 232, 496, 97, 25)
IMPORT = at(GRAPHEN, 8, 496, 97, 25)
EXPORT = at(GRAPHEN, 120, 496, 97, 25)
KNOTEN = at(WERKZEUGE, 176, 24, 97, 25)
KANTE = at(WERKZEUGE, 144, 56, 97, 25)
DELPOS = at(WERKZEUGE, 8, 56, 97, 25)
UPDOWN4 = at(WERKZEUGE, 152, 24, 17, 25)
UPDOWN2 = at(WERKZEUGE, 80, 88, 17, 25)
UPDOWN3 = at(WERKZEUGE, 192, 88, 17, 25)
SCHLIESSEN = at(PANEL, 832, 592, 97, 25)
HILFE = at(PANEL, 584, 592, 75, 25)
VERSION = at(PANEL, 664, 592, 81, 25)

# The file name field of Qt's file dialog, above its bottom edge.
NAME_FIELD_FROM_BOTTOM = 54

# The close buttons of the help and version windows.
HELP_SCHLIESSEN = at(PANEL, 8, 320, 97, 25)
VERSION_SCHLIESSEN = at(PANEL, 8, 168, 97, 25)

# In the heuristic window.
H_STEUERUNG = (8 + 648, 8 + 312)
AUSFUEHREN = at(H_STEUERUNG, 24, 32, 97, 25)
H_SCHLIESSEN = at(H_STEUERUNG, 264, 32, 97, 25)
H_CHART = (8 + 8, 8 + 40)


def radio_item(main, index):
    # The items share the room below the caption evenly.
    left, top, width, height = RADIO
    row = (height - 18 - 4) // 3
    main.click(left + 20, top + 18 + row * index + row // 2)


def spin_up(main, updown, times=1):
    left, top, width, height = updown
    for _ in range(times):
        main.click(left + width // 2, top + height // 4)


def press_ok(caption):
    """Confirms the message box with the given caption."""
    box = wait_window(caption)
    xdotool("windowfocus", "--sync", box)
    xdotool("key", "Return")
    wait_gone(caption)


def answer_file_dialog(path):
    """Types a full file name into the open file dialog and confirms it."""
    def dialog():
        # Qt's own dialogs speak German, as the program loads Qt's translation.
        for title in ("Speichern unter", "Öffnen"):
            window = visible_window(title)
            if window:
                return title, window
        return None

    title, window = poll("a file dialog", dialog)
    untitled = untitled_windows()
    xdotool("windowfocus", "--sync", window)
    # Click into the file name field, so that the keys cannot go to the file
    # list instead (there they would pick whatever file their letters find).
    x, y, width, height = geometry(window)
    # One call: the pointer often stands there already, where --sync would wait.
    xdotool("mousemove", x + width // 2, y + height - NAME_FIELD_FROM_BOTTOM, "click", "1")
    time.sleep(0.1)
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "--delay", "5", path)
    # An open completion list would take the Return for itself: close it first.
    time.sleep(0.1)
    if untitled_windows() - untitled:
        xdotool("key", "Escape")
        poll("the completion list to close", lambda: untitled_windows() <= untitled)
    xdotool("key", "Return")
    # Typing opens the name completion list, a popup window of its own that
    # swallows the next click if it is still open; wait until it has gone
    # with the dialog.
    poll(f"'{title}' and its completion list to close",
         lambda: visible_window(title) is None and untitled_windows() <= untitled)


def wait_file(path, content=None):
    def ready():
        if not os.path.exists(path):
            return False
        if content is None:
            return True
        with open(path, "rb") as f:
            return f.read() == content
    try:
        poll(f"file {path}", ready)
    except TimeoutError:
        actual = open(path, "rb").read() if os.path.exists(path) else None
        raise AssertionError(f"{path}: expected {content!r}, found {actual!r}")


def pixel(grab, x, y):
    return subprocess.run([grab, "--pixel", str(x), str(y)], capture_output=True, text=True,
                          check=True).stdout.strip()


def screenshot(grab, directory, name, window):
    if not directory:
        return
    x, y, width, height = geometry(window.id)
    left, top = max(0, x), max(0, y)
    width -= left - x
    height -= top - y
    time.sleep(0.3)
    subprocess.run([grab, os.path.join(directory, name), str(left), str(top), str(width),
                    str(height)], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--grab", required=True)
    parser.add_argument("--screenshots")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="mandorin-e2e-")
    failure_shot = os.path.abspath("e2e-failure.png")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    app = subprocess.Popen([os.path.abspath(args.app)], cwd=work, env=env)
    try:
        main_window = Window("Mandorin")
        screenshot(args.grab, args.screenshots, "main-window.png", main_window)

        # Sample graph 2: search, drop repeats, sort ascending, save.
        radio_item(main_window, 1)
        main_window.click_centre(*BERECHNEN)
        wait_gone("Mandorin: Fortschritt")
        main_window.click_centre(*REDUNDANZ)
        main_window.click_centre(*AUFSTEIGEND)
        main_window.click_centre(*SPEICHERN)
        answer_file_dialog(os.path.join(work, "cliquen"))
        expected = b"".join(t + b"\r\n" for t in [
            b"(0-2)", b"(0-3)", b"(0-4)", b"(0-1-2)", b"(0-1-3)", b"(0-1-4)", b"(0-1-3-4)"])
        wait_file(os.path.join(work, "cliquen.txt"), expected)

        if args.screenshots:
            # Each closed again: left open they would cover the editor's controls.
            for button, title, picture, close in (
                    (HILFE, "Mandorin: Hilfe", "help-window.png", HELP_SCHLIESSEN),
                    (VERSION, "Mandorin: Version", "version-window.png", VERSION_SCHLIESSEN)):
                main_window.click_centre(*button)
                window = Window(title)
                screenshot(args.grab, args.screenshots, picture, window)
                window.click_centre(*close)
                wait_gone(title)

        # The heuristic window: one walk of the default 100 steps.
        main_window.click_centre(*HEURISTIK)
        heuristic = Window("Mandorin: Heuristik")
        heuristic.click_centre(*AUSFUEHREN)
        wait_gone("Mandorin: Fortschritt")
        # The highest bar reaches the top of the axis in aqua.
        def aqua_bar():
            x0, y0 = heuristic.x + H_CHART[0], heuristic.y + H_CHART[1]
            return any(pixel(args.grab, x0 + x, y0 + 200) == "00ffff" for x in range(25, 600, 30))
        poll("an aqua bar in the chart", aqua_bar)
        screenshot(args.grab, args.screenshots, "heuristic-window.png", heuristic)
        heuristic.click_centre(*H_SCHLIESSEN)
        wait_gone("Mandorin: Heuristik")

        # The editor: a triangle on positions 0, 1, 2.
        radio_item(main_window, 2)
        for position in range(3):
            if position:
                spin_up(main_window, UPDOWN4)
            main_window.click_centre(*KNOTEN)
        main_window.click_centre(*DELPOS)
        spin_up(main_window, UPDOWN3)            # 0-1
        main_window.click_centre(*KANTE)
        spin_up(main_window, UPDOWN3)            # 0-2
        main_window.click_centre(*KANTE)
        spin_up(main_window, UPDOWN2)            # 1-2
        main_window.click_centre(*KANTE)

        main_window.click_centre(*EXPORT)
        answer_file_dialog(os.path.join(work, "dreieck"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(os.path.join(work, "knoten"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(os.path.join(work, "kanten"))
        wait_file(os.path.join(work, "dreieck.bmp"))
        wait_file(os.path.join(work, "knoten.txt"), b"0\r\n1\r\n2\r\n")
        wait_file(os.path.join(work, "kanten.txt"), b"0-1\r\n0-2\r\n1-2\r\n")

        # Read the set back, search and save the cliques of the triangle.
        main_window.click_centre(*IMPORT)
        press_ok("Mandorin: Meldung")
        answer_file_dialog(os.path.join(work, "dreieck.bmp"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(os.path.join(work, "knoten.txt"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(os.path.join(work, "kanten.txt"))
        main_window.click_centre(*BERECHNEN)
        wait_gone("Mandorin: Fortschritt")
        main_window.click_centre(*SPEICHERN)
        answer_file_dialog(os.path.join(work, "dreieck-cliquen"))
        wait_file(os.path.join(work, "dreieck-cliquen.txt"),
                  b"(0-1-2)\r\n(1-0-2)\r\n(2-0-1)\r\n")
        screenshot(args.grab, args.screenshots, "editor.png", main_window)

        # Closing the main window ends the program.
        main_window.click_centre(*SCHLIESSEN)
        status = app.wait(timeout=2)
        if status != 0:
            raise AssertionError(f"exit status {status}")
        print("e2e: 1 passed, 0 failed")
        return 0
    except Exception:
        # The screen as it stood, to see what went wrong.
        subprocess.run([args.grab, failure_shot], check=False)
        print(f"e2e: screen saved to {failure_shot}", file=sys.stderr)
        raise
    finally:
        if app.poll() is None:
            app.kill()
            app.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception as error:  # report any failure as a test failure
        print(f"e2e: FAILED: {error}", file=sys.stderr)
        sys.exit(1)
