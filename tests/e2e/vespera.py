"""The real program on the private display, used through its window only:
clicks at the controls' places, keys, typing and pasting, and the clipboard
to read what a box or a message shows."""

import hashlib
import os
import subprocess
from dataclasses import dataclass

import images
from harness import StepFailed, make_private_folder
from layout import CLIENT_HEIGHT_TWIPS, CLIENT_WIDTH_TWIPS, centre, pixels

MAIN_TITLE = "VESPERA 3.3"
APPLICATION_TITLE = "Vespera 3.3"



@dataclass
class MessageBox:
    """A message box as a person sees it. Its prompt cannot be read from
    outside here (Qt copies a box's text on ctrl+c only on Windows, and its
    label takes no selection), so a box is known by its exact title and its
    icon, which the program keeps apart: information for a save that worked,
    critical stop for a failed save and for an arithmetic fault, none for the
    empty-field warning. The prompts themselves are checked word for word by
    the in-process tests, which see the same calls."""
    wid: str
    title: str
    icon: str
    size: tuple
    picture: str
    picture_digest: str


class Vespera:
    """One run of the program, started as built: no option, no test hook;
    only a home folder of its own and, for printing, the print server to use."""

    def __init__(self, desktop, processes, executable, work_dir, shots, extra_env=None):
        self._desktop = desktop
        self._processes = processes
        self._executable = executable
        self._work = work_dir
        self._shots = shots
        self._extra_env = extra_env or {}
        self.process = None
        self.window = None
        self._boxes_seen = 0

    def start(self):
        home = make_private_folder(os.path.join(self._work, "home"))
        runtime_dir = make_private_folder(os.path.join(self._work, "runtime"))
        env = self._desktop.env({"HOME": home, "XDG_RUNTIME_DIR": runtime_dir,
                                 **self._extra_env})
        self.process = self._processes.start(
            "vespera", [self._executable], env=env, cwd=self._work,
            log_path=os.path.join(self._work, "vespera.log"))
        self.window = self._desktop.wait_window(MAIN_TITLE, timeout=30)
        self._desktop.wait_active(self.window, "the main window")
        return self

    def stop(self):
        if self.process is not None:
            self._processes.stop(self.process)

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise StepFailed(f"timed out after {timeout} s waiting for the program to end")

    # ---- the main window

    def client_origin(self):
        """Screen position of the top left corner of the client area, below the
        menu bar: the window is the client area and the menu bar, no more."""
        x, y, width, height = self._desktop.geometry(self.window)
        menu_bar = height - pixels(CLIENT_HEIGHT_TWIPS)
        if width < pixels(CLIENT_WIDTH_TWIPS) or not 10 <= menu_bar <= 60:
            raise StepFailed(f"the main window is {width}x{height}: not the designed client "
                             "area with a menu bar above it")
        return x, y + menu_bar

    def click(self, control):
        self.activate()
        left, top = self.client_origin()
        x, y = centre(control)
        self._desktop.click(left + x, top + y)

    def activate(self):
        self._desktop.wait_active(self.window, "the main window")

    def read(self, field, likely_empty=False):
        """The text of a field, as ctrl+a, ctrl+c copies it. An empty field
        copies nothing, which shows only as time passing: a field expected
        empty is given one second, any other up to five."""
        self.click(field)
        return self._desktop.copy_focused_text(settle=1.0 if likely_empty else 5.0)

    def read_fields(self, *fields, likely_empty=False):
        return {field: self.read(field, likely_empty) for field in fields}

    def expect_fields(self, expected, what):
        found = {field: self.read(field, likely_empty=(want == ""))
                 for field, want in expected.items()}
        wrong = {f: (found[f], want) for f, want in expected.items() if found[f] != want}
        if wrong:
            details = "; ".join(f"{f} holds {got!r}, expected {want!r}"
                                for f, (got, want) in wrong.items())
            raise StepFailed(f"{what}: {details}")

    def type_into(self, field, text):
        """Clicks into a field, selects its text and types over it."""
        self.click(field)
        self._desktop.keys("ctrl+a")
        if text:
            self._desktop.type(text)
        else:
            self._desktop.keys("BackSpace")

    def paste_into(self, field, text):
        """Puts text on the clipboard, clicks into a field, selects all, pastes."""
        self._desktop.set_clipboard(text)
        self.click(field)
        self._desktop.keys("ctrl+a", "ctrl+v")

    def keys(self, *names):
        self._desktop.keys(*names)

    def type(self, text):
        self._desktop.type(text)

    # ---- other windows

    def wait_box(self, title, timeout=15, excluding=(), screenshot_name=None):
        """Waits for a message box titled exactly `title`, gives it the focus
        if needed and looks at it."""
        wid = self._desktop.wait_window(title, timeout=timeout,
                                        excluding=(self.window, *excluding))
        self._desktop.wait_active(wid, f'the box "{title}"')
        if screenshot_name:
            picture = self.screenshot(wid, screenshot_name)
        else:
            self._boxes_seen += 1
            picture = self._desktop.screenshot(
                wid, os.path.join(self._work, f"box-{self._boxes_seen}.png"))
        with open(picture, "rb") as png:
            digest = hashlib.sha256(png.read()).hexdigest()
        _, _, width, height = self._desktop.geometry(wid)
        return MessageBox(wid, title, images.message_box_icon(picture), (width, height),
                          picture, digest)

    def expect_box(self, title, icon, what, **wait):
        """Waits for a box, checks its icon and closes it with Enter."""
        box = self.wait_box(title, **wait)
        self.close_box(box)
        if box.icon != icon:
            raise StepFailed(f'{what}: the box "{title}" shows the icon {box.icon}, '
                             f"expected {icon} (see {box.picture})")
        return box

    def close_box(self, box, key="Return"):
        self._desktop.wait_active(box.wid, f'the box "{box.title}"')
        self._desktop.keys(key)
        self._desktop.wait_gone(box.wid, f'the box "{box.title}"')

    def wait_window(self, title, timeout=15):
        wid = self._desktop.wait_window(title, timeout=timeout, excluding=(self.window,))
        self._desktop.wait_active(wid, f'the window "{title}"')
        return wid

    def screenshot(self, wid, name):
        os.makedirs(self._shots, exist_ok=True)
        return self._desktop.screenshot(wid, os.path.join(self._shots, f"{name}.png"))
