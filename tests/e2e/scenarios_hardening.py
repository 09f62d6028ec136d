"""Bad input through the real window: a megabyte pasted into a field, text
that is not a number where a number belongs, and saves that cannot be made.
The program must neither crash nor hang, must tell the user, and must never
lose a file saved before."""

import contextlib
import errno
import os

from harness import StepFailed, expect_equal, run
from vespera import APPLICATION_TITLE

# The two outcomes of a save, as the box "Salva" tells them: "Salvataggio
# effettuato!" with the information icon, "Si è verificato un errore nel
# salvataggio." with the critical stop.
SAVED = "information"
SAVE_FAILED = "critical"

FULL_RECORD_G2V = (b"Diametro Stella in metriRapporto Diametro Stella con il Sole "
                   b"Magnitudine Assoluta VDimensione angolare in(\xb0)"
                   b"Calcolo diametro con dimensione angolareKilometri(B-V)"
                   b"Temperatura Stella in KelvinTipo spettraleG2V\r\n")


def hostile_text_in_the_window(session):
    megabyte = "x" * (1 << 20)
    with session.program("hostile-text") as app:
        app.click("Command55")
        app.type_into("Text3", "10")
        app.paste_into("Text2", "4.83" + megabyte)
        app.click("Command41")
        app.expect_fields({"Text4": "1548478941.99956", "Text5": "4.83"},
                          "CALCOLA with 4.83 and a megabyte of letters")
        pasted = app.read("Text2")
        expect_equal((len(pasted), pasted[:8]), (len(megabyte) + 4, "4.83xxxx"),
                     "length and start of the pasted text")

        # Not numbers where the distance belongs: each is a fault the user is
        # told about, and the results stay as they were.
        app.type_into("Text2", "4.83")
        for text, how in (("1E400", "type"), ("NaN", "type"), ("&H10", "type"),
                          ("\x01\x02\x1b[0m", "paste"), ("-", "type")):
            if how == "type":
                app.type_into("Text3", text)
            else:
                app.paste_into("Text3", text)
            app.click("Command41")
            app.expect_box(APPLICATION_TITLE, "critical", f"CALCOLA at the distance {text!r}")
            app.expect_fields({"Text4": "1548478941.99956", "Text3": text},
                              f"the fields after the fault of distance {text!r}")

        # A parallax that reads as 0 divides by zero; the distance stays.
        app.type_into("Text3", "10")
        app.type_into("Text11", "0x10")
        app.click("Command99")
        app.expect_box(APPLICATION_TITLE, "critical", "the parallax 0x10")
        app.expect_fields({"Text3": "10"}, "the distance after the parallax fault")

        app.click("Command1")
        app.expect_fields({"Text1": "52.8"}, "a preset after the faults")


def saves_under_faults(session):
    folder = session.scenario_dir("saves")
    cyrillic = os.path.join(folder, "\u0441\u0442\u0430\u0440.txt")
    chinese = os.path.join(folder, "\u661f.txt")
    with session.program("saves") as app:
        app.type_into("Text19", "G2V")
        # Names in other scripts are just names: typed, and pasted.
        app.type_into("NomeFile", cyrillic)
        expect_equal(app.read("NomeFile"), cyrillic, "the Cyrillic name as typed")
        _save(app, "Command84", SAVED, "a Cyrillic name, typed")
        app.paste_into("NomeFile", chinese)
        _save(app, "Command84", SAVED, "a Chinese name, pasted")
        for path in (cyrillic, chinese):
            expect_equal(_bytes_of(path), FULL_RECORD_G2V, f"the file {os.path.basename(path)}")

        # Text with no place in the file's code page: refused, the earlier
        # file stays whole.
        app.paste_into("Text19", "\u661f")
        app.paste_into("NomeFile", cyrillic)
        _save(app, "Command84", SAVE_FAILED, "a spectral type with no Windows-1252 byte")
        expect_equal(_bytes_of(cyrillic), FULL_RECORD_G2V, "the earlier file after a refusal")
        app.type_into("Text19", "G2V")

        # A folder, and a path of 4096 characters.
        app.paste_into("NomeFile", folder)
        _save(app, "Command84", SAVE_FAILED, "a folder", screenshot_name="box-errore-salvataggio")
        if not os.path.isdir(folder):
            raise StepFailed("saving onto a folder replaced the folder")
        long_path = _path_of_length(folder, 4096)
        app.paste_into("NomeFile", long_path)
        _save(app, "Command98", SAVE_FAILED, "a path of 4096 characters")

        _full_disk(session, app, folder)
        app.click("Command1")
        app.expect_fields({"Text1": "52.8"}, "a preset after the failed saves")
    expect_equal(sorted(os.listdir(folder)),
                 sorted(["\u0441\u0442\u0430\u0440.txt", "\u661f.txt", "disco"]),
                 "the files in the folder (no temporary file left behind)")


def _full_disk(session, app, folder):
    """A save onto a disk with no room left: on a small tmpfs when this
    machine lets us mount one, else onto /dev/full."""
    disk = os.path.join(folder, "disco")
    os.makedirs(disk)
    with _small_tmpfs(session, disk) as mounted:
        if not mounted:
            print("    note: no tmpfs could be mounted here; the full disk is /dev/full")
            app.paste_into("NomeFile", "/dev/full")
            _save(app, "Command84", SAVE_FAILED, "/dev/full")
            return
        target = os.path.join(disk, "misura.txt")
        app.paste_into("NomeFile", target)
        _save(app, "Command98", SAVED, "a file on a small disk")
        earlier = _bytes_of(target)
        expect_equal(earlier, b"Magnitudine Assoluta V(B-V)\r\n", "the file before the disk fills")
        _fill(os.path.join(disk, "riempitivo"))
        _save(app, "Command84", SAVE_FAILED, "the same file once the disk is full")
        expect_equal(_bytes_of(target), earlier, "the earlier file after the disk filled up")
        expect_equal(sorted(os.listdir(disk)), ["misura.txt", "riempitivo"],
                     "the full disk's files (no temporary file left behind)")


@contextlib.contextmanager
def _small_tmpfs(session, mount_point):
    result = run(["mount", "-t", "tmpfs", "-o", "size=256k,mode=0777", "tmpfs", mount_point],
                 timeout=20, check=False)
    if result.returncode != 0:
        yield False
        return
    session.note_mount(mount_point)
    try:
        yield True
    finally:
        run(["umount", mount_point], timeout=20, check=False)


def _fill(path):
    block = b"\0" * 4096
    with open(path, "wb", buffering=0) as filler:
        try:
            for _ in range(1 << 16):
                filler.write(block)
        except OSError as error:
            if error.errno != errno.ENOSPC:
                raise
            return
    raise StepFailed("the small disk did not fill up")


def _save(app, button, outcome, what, screenshot_name=None):
    app.click(button)
    app.expect_box("Salva", outcome, f"{button}: {what}", screenshot_name=screenshot_name)


def _bytes_of(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as error:
        raise StepFailed(f"cannot read {path}: {error.strerror}")


def _path_of_length(folder, length):
    path = folder
    while len(path) + 101 < length:
        path += "/" + "d" * 100
    path += "/" + "f" * (length - len(path) - 1)
    assert len(path) == length
    return path


SCENARIOS = [
    ("hostile text in the window", hostile_text_in_the_window),
    ("saves under faults", saves_under_faults),
]
