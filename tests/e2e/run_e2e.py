"""End-to-end scenarios on the real program, driven as a person drives it: keys through
xdotool on the display that the test stage started, its print queue, its full disk and its
D-Bus session, where the program's window is read as a screen reader reads it (AT-SPI).
Each scenario starts the program afresh. Exits with 1 when a scenario fails.

usage: run_e2e.py PROGRAM WORK_FOLDER FULL_DISK_FOLDER PRINTED_FOLDER"""
import glob
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


def wait(what, probe, timeout=30):
    deadline = time.monotonic() + timeout
    while not (found := probe()):
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.1)
    return found


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=120).stdout


def keys(*names):
    run("xdotool", "key", "--delay", "40", *names)


def accessible_tree(node):
    yield node
    for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
        if child is not None:
            yield from accessible_tree(child)


class Vespera:
    """One run of the program, as built, with accessibility on as a screen reader asks."""

    def __enter__(self):
        self.process = subprocess.Popen(
            [PROGRAM], cwd=WORK, env={**os.environ, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        window = wait("the main window", lambda: self.windows("VESPERA 3.3"))[0]
        run("xdotool", "windowactivate", "--sync", window)
        desktop = pyatspi.Registry.getDesktop(0)
        self.accessible = wait("the program on the accessibility bus", lambda: next(
            (app for app in desktop if app is not None and app.name == "Vespera 3.3"), None))
        return self

    def __exit__(self, *failure):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()

    @staticmethod
    def windows(title):
        return run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()

    def answer_box(self, title):
        """The text of the message box titled `title`, which Enter then closes."""
        box = wait(f'the box "{title}"', lambda: self.windows(title))[0]
        run("xdotool", "windowactivate", "--sync", box)
        dialog = wait("the box on the accessibility bus", lambda: next(
            (n for n in accessible_tree(self.accessible)
             if n.getRoleName() in ("alert", "dialog") and n.name == title), None))
        text = " ".join(n.name for n in accessible_tree(dialog) if n.getRoleName() == "label")
        keys("Return")
        wait(f'the box "{title}" to close', lambda: not self.windows(title))
        return text

    def save_by_keyboard(self, path):
        """From the start, keys only: G2V typed at the last Tab stop, the 4000 K button that
        has the focus pressed, then the 5000 K one a Tab further, and the full record saved
        into `path`, typed into the file name 89 stops on."""
        keys("shift+Tab")
        run("xdotool", "type", "--delay", "60", "G2V")
        keys("Tab", "space", "Tab", "space", *["Tab"] * 89, "ctrl+a")
        run("xdotool", "type", "--delay", "150", path)
        keys("shift+Tab", "space")
        return self.answer_box("Salva")


def saved_by_keyboard_under_a_name_of_other_alphabets():
    folder = os.path.join(WORK, "misure \u00e8 \u0437\u0432\u0435\u0437\u0434\u044b")
    os.makedirs(folder)
    path = os.path.join(folder, "\u661f Vega.txt")
    with Vespera() as vespera:
        assert vespera.save_by_keyboard(path) == SAVED
    found = open(path, "rb").read()
    assert found == RECORD, f"the file holds {found!r}"


def a_full_disk_keeps_the_earlier_file():
    path = os.path.join(FULL_DISK, "misura.txt")
    with open(path, "wb") as earlier:
        earlier.write(b"earlier record\r\n")
    try:
        with open(os.path.join(FULL_DISK, "filler"), "wb") as filler:
            while True:
                filler.write(b"\0" * 512)
                filler.flush()
    except OSError:
        pass
    before = sorted(os.listdir(FULL_DISK))
    with Vespera() as vespera:
        assert vespera.save_by_keyboard(path) == NOT_SAVED
    assert open(path, "rb").read() == b"earlier record\r\n"
    assert sorted(os.listdir(FULL_DISK)) == before, os.listdir(FULL_DISK)


def stampa_prints_one_page_on_the_default_printer():
    # The queue's own output folder, which starts empty: nothing another run printed counts.
    pdfs = lambda: glob.glob(glob.escape(PRINTED) + "/*.pdf")
    with Vespera():
        keys("alt+f", "s")
        wait("CUPS to report the job completed", lambda: run("lpstat", "-W", "completed", "-o"), 60)
    printed = wait("the printed PDF", pdfs)[0]
    assert "Pages:           1" in run("pdfinfo", printed), run("pdfinfo", printed)
    # The page shows the window: the light yellow (255, 255, 192) of its input boxes.
    page = subprocess.run(["pdftoppm", "-r", "40", "-singlefile", printed],
                          capture_output=True, timeout=60).stdout
    pixels = page.split(b"\n", 3)[3]
    yellow = sum(1 for i in range(0, len(pixels) - 2, 3) if pixels[i] > 240
                 and pixels[i + 1] > 240 and 175 < pixels[i + 2] < 210)
    assert page.startswith(b"P6") and yellow > 500, f"{yellow} light yellow pixels on the page"


def esci_ends_the_program():
    with Vespera() as vespera:
        keys(*["Tab"] * 44, "space")  # ESCI is the 45th stop
        assert vespera.process.wait(15) == 0
        assert not Vespera.windows("VESPERA 3.3")


def a_screen_reader_tells_every_button_apart():
    with Vespera() as vespera:
        buttons = [n.name for n in accessible_tree(vespera.accessible)
                   if n.getRoleName() == "push button"]
    repeated = [name for name in buttons if name.startswith(("CALCOLA", "RESET"))]
    print("    a screen reader says: " + "; ".join(repeated))
    assert len(buttons) == 111 and len(set(buttons)) == len(buttons), buttons
    assert "CALCOLA: parsec dalla parallasse" in repeated and "RESET: anni luce" in repeated


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
