"""The menus: the manual and the About box through the access keys, and
File > Stampa on a real print queue."""

import os
import shutil
import time

import images
from harness import StepFailed, expect_equal, wait_until
from print_queue import PrintQueue
from vespera import APPLICATION_TITLE

ABOUT_TITLE = "Informazioni su Vespera 3.3"


def manual_and_about_box_by_access_keys(session):
    with session.program("menus") as app:
        app.keys("alt+a", "m")  # Aiuto > Manuale
        manual = app.wait_window("Manuale")
        app.screenshot(manual, "window-manuale")
        app.keys("alt+F4")
        session.desktop.wait_gone(manual, 'the window "Manuale"')

        app.activate()
        app.keys("alt+a", "p")  # Aiuto > Prodotto
        about = app.wait_window(ABOUT_TITLE)
        app.screenshot(about, "window-informazioni")
        app.keys("Escape")
        session.desktop.wait_gone(about, "the About box")

        # Both gone, the main window stays and works.
        app.click("Command1")
        app.expect_fields({"Text1": "52.8"}, "a preset after the menus")


# The page must show the window, not just any picture: these colour families
# cover whole controls of it. The way through PostScript shifts colours a
# little (the presets' 255, 0, 255 comes out near 240, 92, 238), so each
# family is a range, not one colour.
WINDOW_COLOURS = {
    "red presets (1000-3400 K)": lambda r, g, b: r >= 150 and g <= 90 and b <= 90,
    "magenta presets (8500-42000 K)": lambda r, g, b: r >= 150 and b >= 150 and g <= 120,
    "light yellow input boxes": lambda r, g, b: r >= 240 and g >= 240 and 150 <= b <= 215,
    "light orange input boxes": lambda r, g, b: r >= 240 and 200 <= g <= 235 and 170 <= b <= 210,
    "grey distance panel": lambda r, g, b: max(r, g, b) - min(r, g, b) <= 4 and 185 <= r <= 198,
}


def printing_on_the_default_printer(session):
    queue = PrintQueue(session.processes, session.scenario_dir("print"))
    try:
        queue.start()  # raises Skipped where CUPS cannot run
        earlier = PrintQueue.pdf_files()
        with session.program("print", extra_env={"CUPS_SERVER": queue.socket}) as app:
            app.type_into("Text19", "G2V")
            app.activate()
            app.keys("alt+f", "s")  # File > Stampa
            pdf = wait_until(
                "CUPS-PDF to write the page into " + " or ".join(PrintQueue.output_folders()),
                lambda: _finished_pdf(PrintQueue.pdf_files() - earlier), 90, interval=0.5)
            session.expect_no_window(APPLICATION_TITLE, "an error box after Stampa")
        kept = os.path.join(session.output_dir, "print.pdf")
        shutil.copyfile(pdf, kept)
        os.remove(pdf)
        _check_page_shows_the_window(kept, os.path.join(session.output_dir, "print-page"))
    except StepFailed as failure:
        raise StepFailed(f"{failure} (print server log: {queue.job_log()})")
    finally:
        queue.stop()


def _finished_pdf(new_files):
    """A new PDF whose size has stopped changing: CUPS-PDF writes it in place."""
    for path in sorted(new_files):
        try:
            size = os.path.getsize(path)
            time.sleep(0.3)
            if size > 0 and os.path.getsize(path) == size:
                return path
        except OSError:
            continue
    return None


def _check_page_shows_the_window(pdf, png_stem):
    expect_equal(images.pdf_page_count(pdf), 1, "pages printed")
    page = images.render_first_page(pdf, png_stem)
    histogram = images.colour_histogram(page)
    if len(histogram) < 20:
        raise StepFailed(f"the printed page has only {len(histogram)} colours: blank or "
                         "not the window")
    covered = images.non_white_fraction(histogram)
    if not 0.15 <= covered <= 0.95:
        raise StepFailed(f"{covered:.0%} of the printed page is not white: "
                         "not one window image on the page")
    missing = [name for name, family in WINDOW_COLOURS.items()
               if images.pixels_where(histogram, family) < 300]
    if missing:
        raise StepFailed("the printed page lacks the window's " + ", ".join(missing))


SCENARIOS = [
    ("Manuale and Prodotto by access keys", manual_and_about_box_by_access_keys),
    ("Stampa on the default printer", printing_on_the_default_printer),
]
