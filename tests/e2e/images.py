"""Looking at pictures: a PDF page rendered to PNG with poppler, and the
colours of a PNG counted by ImageMagick."""

import re

from harness import StepFailed, run


def pdf_page_count(pdf):
    info = run(["pdfinfo", pdf], timeout=30).stdout.decode(errors="replace")
    match = re.search(r"^Pages:\s+(\d+)", info, re.MULTILINE)
    if not match:
        raise StepFailed(f"pdfinfo found no page count in {pdf}")
    return int(match.group(1))


def render_first_page(pdf, png_stem, dots_per_inch=72):
    """Renders page 1 into png_stem + ".png" and returns that path."""
    run(["pdftoppm", "-f", "1", "-l", "1", "-r", str(dots_per_inch), "-png", "-singlefile",
         pdf, png_stem], timeout=60)
    return png_stem + ".png"


def colour_histogram(png):
    """{(red, green, blue): number of pixels} of an image."""
    out = run(["convert", png, "-alpha", "off", "-depth", "8", "-format", "%c",
               "histogram:info:-"], timeout=60).stdout.decode(errors="replace")
    histogram = {}
    for line in out.splitlines():
        match = re.match(r"\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", line)
        if match:
            count, red, green, blue = (int(g) for g in match.groups())
            histogram[(red, green, blue)] = histogram.get((red, green, blue), 0) + count
    if not histogram:
        raise StepFailed(f"ImageMagick counted no colours in {png}")
    return histogram


def pixels_near(histogram, colour, tolerance=12):
    """How many pixels lie within `tolerance` of a colour on every channel."""
    return sum(count for rgb, count in histogram.items()
               if all(abs(a - b) <= tolerance for a, b in zip(rgb, colour)))


def pixels_where(histogram, test):
    """How many pixels have a colour for which test(red, green, blue) holds."""
    return sum(count for rgb, count in histogram.items() if test(*rgb))


def non_white_fraction(histogram):
    total = sum(histogram.values())
    white = pixels_near(histogram, (255, 255, 255), tolerance=4)
    return (total - white) / total


# The icons of a message box as Qt draws them here: a blue "i" in a speech
# bubble for information, a red disc with a white cross for a critical stop.
_INFORMATION_BLUE = (0, 0, 255)
_CRITICAL_RED = (255, 0, 0)


def message_box_icon(png):
    """"information", "critical" or "none", from a message box's screenshot."""
    histogram = colour_histogram(png)
    if pixels_near(histogram, _CRITICAL_RED, tolerance=40) >= 30:
        return "critical"
    if pixels_near(histogram, _INFORMATION_BLUE, tolerance=40) >= 30:
        return "information"
    return "none"
