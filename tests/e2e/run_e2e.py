# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end scenarios on the real program, driven as a person drives it: keys through
xdotool on the stage's display, print queue, full disk and D-Bus session, where the window is
read as a screen reader reads it (AT-SPI). Each starts the program afresh; exits 1 if one fails.
usage: run_e2e.py PROGRAM WORK_FOLDER FULL_DISK_FOLDER PDF_THE_PRINT_QUEUE_WRITES"""
import os
import subprocess
import sys
import time

import pyatspi

PROGRAM, WORK, FULL_DISK, PRINTED = sys.argv[1:5]
# The full record after the 4000 K and 5000 K buttons, with the spectral type G2V.
RECORD = ("Diametro Stella in metriRapporto Diametro Stella con il Sole Magnitudine Assoluta V"
          "Dimensione angolare in(\u00b0)Calcolo diametro con dimensione angolareKilometri(B-V)"
          "Temperatura Stella in Kelvin5000Tipo spettraleG2V\r\n").encode("cp1252")
SAVED = "Salvataggio effettuato!"
NOT_SAVED = "Si \u00e8 verificato un errore nel salvataggio."
# Roles, not their names, which AT-SPI 2.56 changed ("push button" became "button").
BOXES, LABEL = (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG), pyatspi.ROLE_LABEL


def wait(what, probe, timeout=30):
    deadline = time.monotonic() + timeout
    while not (found := probe()):
        assert time.monotonic() < deadline, f"timed out after {timeout} s waiting for {what}"
        time.sleep(0.1)
    return found


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=120).stdout


def keys(*names):
    run("xdotool", "key", "--delay", "40", *names)


def windows(title):
    return run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()


def accessible_tree(node):
    yield node
    for child in (child for child in node if child is not None):
        yield from accessible_tree(child)


def contents(path):
    return open(path, "rb").read() if os.path.isfile(path) else None


class Vespera:
    """One run of the program, as built, with accessibility on as a screen reader asks. A
    failure meanwhile names the message boxes it shows and the files in `folder`."""

    def __init__(self, folder=WORK):
        self.folder, self.accessible, self.clipboard = folder, None, None

    def __enter__(self):
        self.process = subprocess.Popen(
            [PROGRAM], cwd=WORK, env={**os.environ, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        try:
            run("xdotool", "windowactivate", "--sync",
                wait("the main window", lambda: windows("VESPERA 3.3"))[0])
            desktop = pyatspi.Registry.getDesktop(0)
            self.accessible = wait("the program on the accessibility bus", lambda: next(
                (app for app in desktop if app is not None and app.name == "Vespera 3.3"), None))
        except Exception as error:
            self.__exit__(type(error), error, None)
        return self

    def __exit__(self, kind, error, trace):
        shown = error and f"boxes open {self.boxes()}"
        for process in filter(None, (self.process, self.clipboard)):
            process.kill()
            process.wait()
        if error:
            raise AssertionError(f"{error}; {shown}; {self.folder}: {os.listdir(self.folder)}")

    def boxes(self):  # the text of each message box open (a window of its own), by title
        if self.accessible is None or self.process.poll() is not None:
            return {}
        return {box.name: " ".join(n.name for n in accessible_tree(box) if n.getRole() == LABEL)
                for box in self.accessible if box is not None and box.getRole() in BOXES}

    def answer_box(self, title):
        """The text of the message box titled `title`, which Enter then closes."""
        box = wait(f'the box "{title}"', lambda: windows(title))[0]
        run("xdotool", "windowactivate", "--sync", box)
        said = wait("the box on the accessibility bus", lambda: self.boxes().get(title))
        keys("Return")
        wait(f'the box "{title}" to close', lambda: not windows(title))
        return said

    def save_by_keyboard(self, path):
        """From the start, keys only: G2V at the last Tab stop, the 4000 K button that has the
        focus pressed, then the 5000 K one a Tab further, and the record saved into `path`,
        pasted into the file name 89 stops on (typed, a letter not in the keymap remaps a key)."""
        self.clipboard = subprocess.Popen(  # xclip serves the name until it is killed
            ["bash", "-c", 'exec xclip -quiet -rmlastnl -sel clipboard <<<"$0" 2>/dev/null', path])
        wait("the name on the clipboard", lambda: run("xclip", "-o", "-sel", "clipboard") == path)
        keys("shift+Tab", "shift+g", "2", "shift+v", "Tab", "space", "Tab", "space", *["Tab"] * 89,
             "ctrl+a", "ctrl+v", "shift+Tab", "space")
        return self.answer_box("Salva")


def saved_by_keyboard_under_a_name_of_other_alphabets():
    folder = os.path.join(WORK, "misure \u00e8 \u0437\u0432\u0435\u0437\u0434\u044b")
    os.makedirs(folder)
    path = os.path.join(folder, "\u661f Vega.txt")
    with Vespera(folder) as vespera:
        said = vespera.save_by_keyboard(path)
        assert (said, contents(path)) == (SAVED, RECORD), f"{said!r}; file: {contents(path)!r}"


def a_full_disk_keeps_the_earlier_file():
    path = os.path.join(FULL_DISK, "misura.txt")
    with open(path, "wb") as earlier:
        earlier.write(b"earlier record\r\n")
    run("dd", "if=/dev/zero", "of=" + os.path.join(FULL_DISK, "filler"), "bs=512")  # till full
    before = sorted(os.listdir(FULL_DISK))
    with Vespera(FULL_DISK) as vespera:
        said = vespera.save_by_keyboard(path)
        assert (said, contents(path), sorted(os.listdir(FULL_DISK))) == (
            NOT_SAVED, b"earlier record\r\n", before), f"{said!r}; file: {contents(path)!r}"


def stampa_prints_one_page_on_the_default_printer():  # into PRINTED, which no run left before
    with Vespera(os.path.dirname(PRINTED)):
        keys("alt+f", "s")
        wait("CUPS to report the job completed", lambda: run("lpstat", "-W", "completed", "-o"), 60)
        assert "Pages:           1" in run("pdfinfo", PRINTED), run("pdfinfo", PRINTED)
    # The page shows the window: the light yellow (255, 255, 192) of its input boxes.
    page = subprocess.run(["pdftoppm", "-r", "40", "-singlefile", PRINTED],
                          capture_output=True, timeout=60).stdout
    pixels = iter(page.split(b"\n", 3)[3])  # a byte each of red, green and blue
    yellow = sum(r > 240 and g > 240 and 175 < b < 210 for r, g, b in zip(pixels, pixels, pixels))
    assert page.startswith(b"P6") and yellow > 500, f"{yellow} light yellow pixels on the page"


def esci_ends_the_program():
    with Vespera() as vespera:
        keys(*["Tab"] * 44, "space")  # ESCI is the 45th stop
        assert vespera.process.wait(15) == 0 and not windows("VESPERA 3.3")


def a_screen_reader_tells_every_button_apart():
    with Vespera() as vespera:
        buttons = [n.name for n in accessible_tree(vespera.accessible)
                   if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    repeated = [name for name in buttons if name.startswith(("CALCOLA", "RESET"))]
    print("    a screen reader says: " + "; ".join(repeated))
    assert len(buttons) == len(set(buttons)) == 111 and all(buttons) and {
        "CALCOLA: parsec dalla parallasse", "RESET: anni luce"} <= set(repeated), buttons


failed = 0
for scenario in (saved_by_keyboard_under_a_name_of_other_alphabets,
                 a_full_disk_keeps_the_earlier_file,
                 stampa_prints_one_page_on_the_default_printer, esci_ends_the_program,
                 a_screen_reader_tells_every_button_apart):
    started = time.monotonic()
    try:
        scenario()
        print(f"PASS {scenario.__name__} ({time.monotonic() - started:.1f} s)", flush=True)
    except Exception as error:
        failed += 1
        print(f"FAIL {scenario.__name__}: {error!r}", flush=True)
sys.exit(1 if failed else 0)
