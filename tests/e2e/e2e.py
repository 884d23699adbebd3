#!/usr/bin/env python3
"""Drives the real program in an X server from outside, as a user would: clicks
at the controls' fixed places with xdotool and types into the real file dialogs.

Every step waits for the state it causes before the next one starts: the window
that opens or closes, the text in the file name field, the pixels drawn, the
bytes of the file written. Nothing waits a fixed time, so a busy machine only
makes the run slower.

Run inside an X server (the CTest entry uses tests/support/run_in_xvfb.sh):
    e2e.py --app build/mandorin --grab build/grab_screen [--screenshots DIR]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

# How long any one state may take to appear: generous, since a loaded machine
# running the sanitizer build is many times slower than a quiet one.
TIMEOUT = 90.0


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


def click_at(x, y):
    """A left click at a screen point."""
    xdotool("mousemove", x, y)
    poll(f"the pointer at {x},{y}", lambda: pointer() == (x, y))
    # Press and release in one call: a pause between them longer than a spin
    # button's auto-repeat delay would step it twice.
    xdotool("mousedown", "1", "mouseup", "1")


def pointer():
    values = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").splitlines())
    return int(values["X"]), int(values["Y"])


class Shot:
    """The colours of a rectangle of the screen, as 0xRRGGBB."""

    def __init__(self, grab, x, y, width, height):
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "shot.ppm")
            subprocess.run([grab, path, str(x), str(y), str(width), str(height)], check=True,
                           capture_output=True)
            with open(path, "rb") as f:
                data = f.read()
        # P6 header: magic, width, height, maximum, each followed by white space.
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            start = at
            while not data[at:at + 1].isspace():
                at += 1
            fields.append(data[start:at])
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = data[at + 1:]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return (self.data[i] << 16) | (self.data[i + 1] << 8) | self.data[i + 2]

    def colours(self):
        return [self.pixel(x, y) for y in range(self.height) for x in range(self.width)]


def red(c):
    return c >> 16


def green(c):
    return (c >> 8) & 0xff


def blue(c):
    return c & 0xff


def is_black(c):
    return red(c) < 64 and green(c) < 64 and blue(c) < 64


def is_pure_red(c):
    return c == 0xff0000


def is_yellow(c):
    return red(c) > 200 and green(c) > 200 and blue(c) < 100


class Window:
    """A top-level window: clicks and pixels relative to its client area."""

    def __init__(self, title, grab):
        self.title = title
        self.grab_tool = grab
        self.id = wait_window(title)
        self.x, self.y, self.width, self.height = geometry(self.id)

    def click(self, x, y):
        click_at(self.x + x, self.y + y)

    def click_centre(self, left, top, width, height):
        self.click(left + width // 2, top + height // 2)

    def shot(self, left, top, width, height):
        return Shot(self.grab_tool, self.x + left, self.y + top, width, height)

    def wait_pixels(self, what, rect, test):
        """Waits until the colours of the rectangle pass test."""
        poll(what, lambda: test(self.shot(*rect).colours()))

    def click_and_wait(self, rect, what, test_rect, test):
        """Clicks the middle of rect, then waits until test_rect passes test."""
        self.click_centre(*rect)
        self.wait_pixels(what, test_rect, test)

    def click_and_wait_change(self, rect, what, watched):
        """Clicks the middle of rect, then waits until the watched rectangle
        looks different from before the click."""
        before = self.shot(*watched).colours()
        self.click_centre(*rect)
        self.wait_pixels(what, watched, lambda colours: colours != before)

    def wait_drawn(self):
        """Waits until the window has painted its background."""
        self.wait_pixels(f"window '{self.title}' drawn", (2, 2, 1, 1), lambda c: c[0] != 0x000000)


# Offsets of the main window's containers inside its client area.
PANEL = (8, 8)
GRAPHEN = (PANEL[0] + 8, PANEL[1] + 48)
ALGORITHMUS = (PANEL[0] + 584, PANEL[1] + 48)
SORTIER = (ALGORITHMUS[0] + 216, ALGORITHMUS[1] + 376)
VERWENDUNG = (SORTIER[0] + 152, SORTIER[1] + 16)
WERKZEUGE = (GRAPHEN[0] + 280, GRAPHEN[1] + 16)
IMAGE = (GRAPHEN[0] + 8, GRAPHEN[1] + 184)


def at(origin, left, top, width, height):
    return (origin[0] + left, origin[1] + top, width, height)


RADIO = at(GRAPHEN, 8, 24, 257, 113)
BERECHNEN = at(ALGORITHMUS, 216, 320, 361, 33)
LIST_TOP = at(ALGORITHMUS, 8, 48, 201, 60)
REDUNDANZ = at(SORTIER, 8, 24, 137, 25)
AUFSTEIGEND = at(SORTIER, 8, 56, 137, 25)
LAMP_REDUNDANZ = at(VERWENDUNG, 8 + 8, 24 + 8, 1, 1)
LAMP_AUFSTEIGEND = at(VERWENDUNG, 8 + 8, 48 + 8, 1, 1)
SPEICHERN = at(ALGORITHMUS, 64, 496, 97, 25)
HEURISTIK = at(GRAPHEN, 232, 496, 97, 25)
IMPORT = at(GRAPHEN, 8, 496, 97, 25)
EXPORT = at(GRAPHEN, 120, 496, 97, 25)
KNOTEN = at(WERKZEUGE, 176, 24, 97, 25)
KANTE = at(WERKZEUGE, 144, 56, 97, 25)
DELPOS = at(WERKZEUGE, 8, 56, 97, 25)
EDIT_POSITION = at(WERKZEUGE, 112, 24, 33, 25)
EDIT_V1 = at(WERKZEUGE, 48, 88, 33, 25)
EDIT_V2 = at(WERKZEUGE, 160, 88, 33, 25)
UPDOWN4 = at(WERKZEUGE, 152, 24, 17, 25)
UPDOWN2 = at(WERKZEUGE, 80, 88, 17, 25)
UPDOWN3 = at(WERKZEUGE, 192, 88, 17, 25)
SCHLIESSEN = at(PANEL, 832, 592, 97, 25)
HILFE = at(PANEL, 584, 592, 75, 25)
VERSION = at(PANEL, 664, 592, 81, 25)

# The sample pictures fill their vertex circles with this colour.
VERTEX_FILL = 0xffffd2

# The editor's grid: position p is centred on these picture coordinates.
def grid_point(p):
    return 71 + 101 * (p % 5), 60 + 90 * (p // 5)


def in_image(x, y, width=1, height=1):
    return at(IMAGE, x, y, width, height)


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


def spin_up(main, updown, field):
    """One step up, seen in the field that shows the spinner's value."""
    left, top, width, height = updown
    main.click_and_wait_change((left, top, width, height // 2), "the spinner's field to change",
                               field)


def press_ok(caption):
    """Confirms the message box with the given caption."""
    box = wait_window(caption)
    xdotool("windowfocus", "--sync", box)
    xdotool("key", "Return")
    wait_gone(caption)


def answer_file_dialog(grab, path):
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
    click_at(x + width // 2, y + height - NAME_FIELD_FROM_BOTTOM)
    # In quotes, as the dialog takes names: its name completion finds no entry
    # starting with a quote and never opens its list, which would otherwise
    # take the Return, or pop up late (once a folder is read) and swallow the
    # next click.
    text = f'"{path}"'
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "--delay", "5", text)
    # Selected text becomes the X selection: once it reads as typed, every key
    # has arrived in the field.
    xdotool("key", "shift+Home")
    poll(f"the file name field to read {text}",
         lambda: subprocess.run([grab, "--selection"], capture_output=True,
                                text=True).stdout == text)
    xdotool("key", "Return")
    poll(f"'{title}' to close",
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


def screenshot(grab, directory, name, window):
    if not directory:
        return
    x, y, width, height = geometry(window.id)
    left, top = max(0, x), max(0, y)
    width -= left - x
    height -= top - y
    subprocess.run([grab, os.path.join(directory, name), str(left), str(top), str(width),
                    str(height)], check=True)


def place_vertex(main, position):
    """Knoten at the position the spinner shows: a circle with a red label."""
    x, y = grid_point(position)
    main.click_and_wait(KNOTEN, f"a vertex at position {position}", in_image(x - 10, y - 10, 21, 21),
                        lambda colours: any(map(is_pure_red, colours)))


def join(main, ink_at):
    """Kante: a black line through the given point of the picture."""
    x, y = ink_at
    main.click_and_wait(KANTE, f"an edge through {x},{y}", in_image(x - 1, y - 1, 3, 3),
                        lambda colours: any(map(is_black, colours)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--grab", required=True)
    parser.add_argument("--screenshots")
    args = parser.parse_args()
    grab = args.grab

    work = tempfile.mkdtemp(prefix="mandorin-e2e-")
    failure_shot = os.path.abspath("e2e-failure.png")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    app = subprocess.Popen([os.path.abspath(args.app)], cwd=work, env=env)
    try:
        main_window = Window("Mandorin", grab)
        # Sample graph 1 is shown at start: vertex 0 at (70, 50).
        main_window.wait_pixels("sample graph 1", in_image(70, 50),
                                lambda c: c == [VERTEX_FILL])
        screenshot(grab, args.screenshots, "main-window.png", main_window)

        # Sample graph 2: search, drop repeats, sort ascending, save.
        radio_item(main_window, 1)
        # Its vertex 2 is at (70, 150), where graph 1 has only the line 0-1.
        main_window.wait_pixels("sample graph 2", in_image(82, 150), lambda c: c == [VERTEX_FILL])
        main_window.click_and_wait(BERECHNEN, "the list of cliques", LIST_TOP,
                                   lambda colours: any(map(is_yellow, colours)))
        main_window.click_and_wait(REDUNDANZ, "the green Redundanz lamp", LAMP_REDUNDANZ,
                                   lambda c: c == [0x008000])
        main_window.click_and_wait(AUFSTEIGEND, "the green Aufsteigend lamp", LAMP_AUFSTEIGEND,
                                   lambda c: c == [0x008000])
        main_window.click_centre(*SPEICHERN)
        answer_file_dialog(grab, os.path.join(work, "cliquen"))
        expected = b"".join(t + b"\r\n" for t in [
            b"(0-2)", b"(0-3)", b"(0-4)", b"(0-1-2)", b"(0-1-3)", b"(0-1-4)", b"(0-1-3-4)"])
        wait_file(os.path.join(work, "cliquen.txt"), expected)

        if args.screenshots:
            # Each closed again: left open they would cover the editor's controls.
            for button, title, picture, close in (
                    (HILFE, "Mandorin: Hilfe", "help-window.png", HELP_SCHLIESSEN),
                    (VERSION, "Mandorin: Version", "version-window.png", VERSION_SCHLIESSEN)):
                main_window.click_centre(*button)
                window = Window(title, grab)
                window.wait_drawn()
                screenshot(grab, args.screenshots, picture, window)
                window.click_centre(*close)
                wait_gone(title)

        # The heuristic window: one walk of the default 100 steps. The highest
        # bar reaches the top of the axis in aqua.
        main_window.click_centre(*HEURISTIK)
        heuristic = Window("Mandorin: Heuristik", grab)
        heuristic.click_and_wait(AUSFUEHREN, "an aqua bar in the chart",
                                 at(H_CHART, 0, 200, 600, 1),
                                 lambda colours: 0x00ffff in colours)
        screenshot(grab, args.screenshots, "heuristic-window.png", heuristic)
        heuristic.click_centre(*H_SCHLIESSEN)
        wait_gone("Mandorin: Heuristik")

        # The editor: a triangle on positions 0, 1 and 6, so that no edge's
        # line runs along another's.
        radio_item(main_window, 2)
        main_window.wait_pixels("the editor's empty grid", in_image(0, 150),
                                lambda c: c == [0x000000])
        place_vertex(main_window, 0)
        spin_up(main_window, UPDOWN4, EDIT_POSITION)
        place_vertex(main_window, 1)
        for _ in range(5):
            spin_up(main_window, UPDOWN4, EDIT_POSITION)
        place_vertex(main_window, 6)
        # DelPos wipes the numbers of the free positions, 14 among them.
        x14, y14 = grid_point(14)
        main_window.click_and_wait(DELPOS, "position 14's number wiped",
                                   in_image(x14 - 5, y14 - 5, 20, 20),
                                   lambda colours: all(c == 0xffffff for c in colours))
        spin_up(main_window, UPDOWN3, EDIT_V2)   # 0-1
        join(main_window, (121, 60))
        spin_up(main_window, UPDOWN3, EDIT_V2)   # 0-2
        join(main_window, (121, 105))
        spin_up(main_window, UPDOWN2, EDIT_V1)   # 1-2
        join(main_window, (172, 105))

        main_window.click_centre(*EXPORT)
        answer_file_dialog(grab, os.path.join(work, "dreieck"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(grab, os.path.join(work, "knoten"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(grab, os.path.join(work, "kanten"))
        wait_file(os.path.join(work, "dreieck.bmp"))
        wait_file(os.path.join(work, "knoten.txt"), b"0\r\n1\r\n2\r\n")
        wait_file(os.path.join(work, "kanten.txt"), b"0-1\r\n0-2\r\n1-2\r\n")

        # Read the set back, search and save the cliques of the triangle.
        main_window.click_centre(*IMPORT)
        press_ok("Mandorin: Meldung")
        answer_file_dialog(grab, os.path.join(work, "dreieck.bmp"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(grab, os.path.join(work, "knoten.txt"))
        press_ok("Mandorin: Meldung")
        answer_file_dialog(grab, os.path.join(work, "kanten.txt"))
        main_window.click_and_wait(BERECHNEN, "the list of cliques", LIST_TOP,
                                   lambda colours: any(map(is_yellow, colours)))
        main_window.click_centre(*SPEICHERN)
        answer_file_dialog(grab, os.path.join(work, "dreieck-cliquen"))
        wait_file(os.path.join(work, "dreieck-cliquen.txt"),
                  b"(0-1-2)\r\n(1-0-2)\r\n(2-0-1)\r\n")
        screenshot(grab, args.screenshots, "editor.png", main_window)

        # Closing the main window ends the program.
        main_window.click_centre(*SCHLIESSEN)
        status = app.wait(timeout=TIMEOUT)
        if status != 0:
            raise AssertionError(f"exit status {status}")
        print("e2e: 1 passed, 0 failed")
        return 0
    except Exception:
        # The screen as it stood, to see what went wrong.
        subprocess.run([grab, failure_shot], check=False)
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
