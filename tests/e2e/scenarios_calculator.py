"""The calculator used as a person uses it: start-up and the tab order, the
typical request from a preset to a saved file, each side panel by the
keyboard, the empty-field warnings, and ESCI."""

import os

from harness import StepFailed, expect_equal
from vespera import APPLICATION_TITLE

def start_up_and_tab_order(session):
    with session.program("start-up") as app:
        app.screenshot(app.window, "main-window")
        # The focus starts on the 4000 K preset: space presses it.
        app.keys("space")
        app.expect_fields({"Text1": "52.8", "Text7": "4000"}, "space on the first focus")
        empty = app.read_fields("Text2", "Text3", "Text4", "Text19", likely_empty=True)
        expect_equal(empty, {f: "" for f in empty}, "the other fields at start")
        expect_equal(app.read("NomeFile"), "C:\\.txt", "NomeFile at start")

        # Back on the first preset; one Tab is the 5000 K preset.
        app.click("Command1")
        app.keys("Tab", "space")
        app.expect_fields({"Text1": "51.3", "Text7": "5000"}, "space after one Tab")
        # 39 more Tabs (the forty presets, then the heading that takes no
        # focus) reach Text1; then Text2, CALCOLA, Text3.
        app.click("Command1")
        app.keys(*["Tab"] * 40)
        app.type("12.5")
        app.keys("Tab")
        app.type("3")
        app.keys("Tab", "Tab")
        app.type("10")
        app.expect_fields({"Text1": "12.5", "Text2": "3", "Text3": "10"},
                          "typing after 40, 41 and 43 Tabs")
        # Backwards from Text3 is CALCOLA; forwards past ESCI and the three
        # headings is the 4500 K preset.
        app.click("Text3")
        app.keys("shift+Tab", "space")
        app.expect_fields({"Text5": "3", "Text11": "100"}, "space after Shift+Tab from Text3")
        app.click("Text3")
        app.keys("Tab", "Tab", "space")
        app.expect_fields({"Text1": "52", "Text7": "4500"}, "space two Tabs after Text3")


def typical_request_to_a_saved_file(session):
    path = os.path.join(session.scenario_dir("typical-request"), "misura.txt")
    with session.program("typical-request") as app:
        app.click("Command55")  # the 5750 K preset
        app.type_into("Text2", "4.83")
        app.type_into("Text3", "10")
        app.click("Command41")  # CALCOLA
        app.expect_fields({
            "Text1": "50.7", "Text7": "5750",
            "Text4": "1548478941.99956", "Text5": "4.83", "Text6": "1.11321275485231",
            "Text11": "100", "Text12": "32.6156", "Text15": "2062650",
            "Text16": "308600000000000",
        }, "the results of CALCOLA")
        app.screenshot(app.window, "main-window-after-calcola")

        app.type_into("NomeFile", path)
        app.click("Command84")  # Salva Misura in C:\.... .txt
        # "Salvataggio effettuato!", with the information icon.
        app.expect_box("Salva", "information", "the save",
                       screenshot_name="box-salvataggio-effettuato")

    with open(path, "rb") as saved:
        content = saved.read()
    expect_equal(content,
                 b"Diametro Stella in metri1548478941.99956"
                 b"Rapporto Diametro Stella con il Sole 1.11321275485231"
                 b"Magnitudine Assoluta V4.83Dimensione angolare in(\xb0)"
                 b"Calcolo diametro con dimensione angolareKilometri(B-V)"
                 b"Temperatura Stella in Kelvin5750Tipo spettrale\r\n",
                 "the bytes of the saved file")


def side_panels_by_keyboard(session):
    with session.program("side-panels") as app:
        # Distance units: the parallax row's CALCOLA is two stops before its box.
        app.type_into("Text11", "100")
        app.keys("shift+Tab", "shift+Tab", "space")
        app.expect_fields({"Text3": "10", "Text11": "100"}, "parallax 100 by CALCOLA")
        app.click("Text11")
        app.keys("shift+Tab", "space")  # the row's RESET
        app.expect_fields({"Text11": "", "Text3": "10"}, "the parallax row's RESET")

        # Angular size: minutes, Tab past the seconds and the seconds arrow
        # to the minutes arrow; then the degrees, Tab past the kilometres to
        # "CALCOLA ".
        app.type_into("Text17", "30")
        app.keys("Tab", "Tab", "Tab", "space")
        expect_equal(app.read("Text13"), "0.5", "30 arc minutes in degrees")
        app.keys("Tab", "Tab", "space")
        app.expect_fields({"Text14": "2693111400228.16", "Text17": "30"},
                          "the angular CALCOLA at 10 parsecs")

        # B-V: B then V, "Calcola (B-V)" is the stop before the spectral type,
        # the temperature's CALCOLA the stop before Text7.
        app.type_into("Text8", "1.5")
        app.keys("Tab")
        app.type("0.85")
        app.click("Text19")
        app.keys("shift+Tab", "space")
        expect_equal(app.read("Text10"), "0.65", "B 1.5 minus V 0.85")
        app.click("Text7")
        app.keys("shift+Tab", "space")
        temperature = app.read("Text7")
        if not temperature.startswith("5933.95421"):
            raise StepFailed(f"B-V 0.65 gave the temperature {temperature!r}, "
                             "expected 5933.95421...")
        app.screenshot(app.window, "main-window-side-panels")


def empty_field_warnings(session):
    with session.program("warnings") as app:
        app.click("Command41")
        # Three warnings without an icon, one box after the other, each the
        # same message to the pixel; then the fault, a critical stop.
        warnings = []
        for number in (1, 2, 3):
            warnings.append(app.expect_box(
                APPLICATION_TITLE, "none", f"empty-field warning {number} of 3",
                excluding=[w.wid for w in warnings],
                screenshot_name="box-empty-field-warning" if number == 1 else None))
        if len({w.picture_digest for w in warnings}) != 1:
            raise StepFailed("the three warnings do not look alike: "
                             + ", ".join(w.picture for w in warnings))
        fault = app.expect_box(APPLICATION_TITLE, "critical", "the fault after the warnings",
                               excluding=[w.wid for w in warnings],
                               screenshot_name="box-arithmetic-fault")
        if fault.size == warnings[0].size:
            raise StepFailed("the fault box has the size of the warning: same text?")
        session.expect_no_window(APPLICATION_TITLE, "a fifth box after the fault")

        # Nothing was written, and the window works on.
        app.expect_fields({"Text4": "", "Text5": "", "Text11": ""}, "the results after the fault")
        app.click("Command1")
        app.expect_fields({"Text1": "52.8", "Text7": "4000"}, "a preset after the fault")


def esci_ends_the_program(session):
    with session.program("esci") as app:
        app.keys("alt+a", "m")  # a manual window, which ESCI must close too
        app.wait_window("Manuale")
        app.activate()
        app.click("Command42")
        status = app.wait_exit(timeout=15)
        expect_equal(status, 0, "the exit status after ESCI")
        for title in ("VESPERA 3.3", "Manuale"):
            session.expect_no_window(title, f'the window "{title}" after ESCI')


SCENARIOS = [
    ("start-up and tab order", start_up_and_tab_order),
    ("typical request to a saved file", typical_request_to_a_saved_file),
    ("side panels by keyboard", side_panels_by_keyboard),
    ("empty-field warnings", empty_field_warnings),
    ("ESCI ends the program", esci_ends_the_program),
]
