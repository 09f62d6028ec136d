"""Where the controls the suite touches stand on the main window, in twips
(15 to a pixel) as the window is designed: relative to the client area below
the menu bar, or to the top left corner of their group."""

CLIENT_WIDTH_TWIPS = 11715
CLIENT_HEIGHT_TWIPS = 6315

GROUPS = {
    "Frame1": (7920, 120),   # angular diameter
    "Frame2": (1440, 5280),  # B-V temperature
    "Frame3": (7920, 2040),  # distance units
}

# name: (group or None, left, top, width, height)
CONTROLS = {
    "Text1": (None, 2520, 600, 975, 285),
    "Text2": (None, 1440, 600, 975, 288),
    "Text3": (None, 360, 600, 975, 285),
    "Text4": (None, 5280, 840, 2535, 285),
    "Text5": (None, 5280, 240, 2535, 285),
    "Text6": (None, 5280, 1440, 2535, 285),
    "Text7": ("Frame2", 120, 480, 975, 288),
    "Text8": ("Frame2", 4680, 480, 732, 288),
    "Text9": ("Frame2", 5520, 480, 732, 288),
    "Text10": ("Frame2", 1200, 480, 975, 288),
    "Text11": ("Frame3", 120, 960, 3495, 285),
    "Text12": ("Frame3", 120, 1920, 3495, 285),
    "Text13": ("Frame1", 480, 600, 975, 300),
    "Text14": ("Frame1", 1560, 600, 2055, 300),
    "Text15": ("Frame3", 120, 2880, 3495, 285),
    "Text16": ("Frame3", 120, 3840, 3495, 285),
    "Text17": ("Frame1", 120, 1560, 975, 285),
    "Text18": ("Frame1", 1200, 1560, 975, 285),
    "Text19": (None, 840, 5760, 495, 285),
    "NomeFile": (None, 3600, 2520, 4215, 285),
    "Command41": (None, 3600, 240, 1575, 555),    # CALCOLA
    "Command42": (None, 4560, 840, 615, 300),     # ESCI
    "Command51": (None, 3600, 840, 855, 300),     # RESET
    "Command84": (None, 3600, 1200, 1575, 495),   # Salva Misura in C:\.... .txt
    "Command98": (None, 3600, 1800, 4215, 255),   # Salva solo con Mag.Assoluta
    "Command110": (None, 3600, 2160, 4215, 255),  # Salva misura solo con dimensione angolare
    "Command55": (None, 1440, 1920, 975, 195),    # preset 5750
    "Command1": (None, 360, 4320, 975, 195),      # preset 4000
    "Command99": ("Frame3", 120, 720, 1815, 255),  # parallax CALCOLA
}


def pixels(twips):
    """Twips to pixels as the window places its controls: each value on its own."""
    return twips // 15


def centre(name):
    """The centre of a control in pixels, relative to the client area."""
    group, left, top, width, height = CONTROLS[name]
    x, y = pixels(left) + pixels(width) // 2, pixels(top) + pixels(height) // 2
    if group:
        group_left, group_top = GROUPS[group]
        x, y = x + pixels(group_left), y + pixels(group_top)
    return x, y
