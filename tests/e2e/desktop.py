"""A private X display for the run: Xvfb on a display number it picks itself,
Openbox on it, and what a person's hands and eyes do there, through xdotool
(keys, typing, clicks), xclip (the clipboard) and ImageMagick (screenshots).

Openbox is there because a bare X server gives keyboard focus to nobody: a
window manager focuses each new window, the modal message boxes included,
and closes a window on Alt+F4 as a desktop does. Openbox is small, starts in
well under a second and follows the desktop conventions xdotool relies on
(_NET_ACTIVE_WINDOW, frame extents), where matchbox would instead stretch
every window over the whole screen."""

import os
import select
import subprocess
import time

from harness import StepFailed, run, wait_until

# What a field holds when ctrl+c copied nothing: an empty line edit has no
# selection to copy, so the clipboard keeps this.
_NOTHING_COPIED = "\u2400vespera-e2e-nothing-copied\u2400"


class Desktop:
    def __init__(self, processes, work_dir):
        self._processes = processes
        self._work = work_dir
        self._clipboard_owner = None
        self.display = None

    # ---- start-up

    def start(self):
        xvfb = self._processes.start(
            "Xvfb",
            ["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            log_path=os.path.join(self._work, "xvfb.log"), stdout=subprocess.PIPE)
        ready, _, _ = select.select([xvfb.stdout], [], [], 15)
        line = xvfb.stdout.readline().decode().strip() if ready else ""
        if not line.isdigit():
            raise StepFailed("timed out after 15 s waiting for Xvfb to report its display "
                             f"(see {self._work}/xvfb.log)")
        self.display = f":{line}"
        wait_until("the X server to answer", lambda: self._answers(), 10)

        self._processes.start("openbox", ["openbox", "--sm-disable"], env=self.env(),
                              log_path=os.path.join(self._work, "openbox.log"))
        wait_until("Openbox to manage the screen", self._window_manager_running, 10)

    def env(self, extra=None):
        """The environment of a program on this display, and nothing else
        from ours: a QT_QPA_PLATFORM or a locale inherited from the caller
        would change what the window shows."""
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": self.display,
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
        }
        env.update(extra or {})
        return env

    def _answers(self):
        return run(["xdpyinfo"], env=self.env(), timeout=5, check=False).returncode == 0

    def _window_manager_running(self):
        out = run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env(),
                  timeout=5, check=False).stdout.decode()
        return "window id" in out

    # ---- windows

    def xdotool(self, *args, timeout=10, check=True):
        return run(["xdotool", *args], env=self.env(), timeout=timeout,
                   check=check).stdout.decode().strip()

    def windows_titled(self, title):
        """Ids of the visible windows whose title is exactly `title`."""
        found = self.xdotool("search", "--onlyvisible", "--name", ".", check=False)
        ids = []
        for wid in found.split():
            name = self.xdotool("getwindowname", wid, check=False)
            if name == title:
                ids.append(wid)
        return ids

    def wait_window(self, title, timeout=15, excluding=()):
        """Waits for a visible window titled `title` that is not one of
        `excluding`, and returns its id."""
        def probe():
            fresh = [w for w in self.windows_titled(title) if w not in excluding]
            return fresh[0] if fresh else None
        return wait_until(f'a window titled "{title}"', probe, timeout)

    def wait_gone(self, wid, what, timeout=10):
        def gone():
            listed = self.xdotool("search", "--onlyvisible", "--name", ".", check=False)
            return wid not in listed.split()
        wait_until(f"{what} to close", gone, timeout)

    def geometry(self, wid):
        """Absolute position and size of a window's client area, as X has it.
        (xdotool getwindowgeometry adds the frame once more under Openbox.)"""
        info = run(["xwininfo", "-id", wid], env=self.env(), timeout=5).stdout.decode()
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        except (KeyError, ValueError):
            raise StepFailed(f"xwininfo gave no geometry for window {wid}")

    def active_window(self):
        return self.xdotool("getactivewindow", check=False)

    def wait_active(self, wid, what, timeout=10):
        """Waits for the window manager to give `wid` the focus, asking it
        once if a newly opened window did not get it by itself."""
        def active():
            if self.active_window() == wid:
                return True
            self.xdotool("windowactivate", wid, check=False)
            return False
        wait_until(f"{what} to have the keyboard focus", active, timeout, interval=0.2)

    # ---- hands

    def keys(self, *names):
        self.xdotool("key", "--delay", "40", *names, timeout=30)

    def type(self, text):
        # A letter the keyboard map lacks is typed by remapping a spare key;
        # the program rereads the map each time, and keys sent meanwhile are
        # lost unless they come slowly.
        delay = "15" if text.isascii() else "150"
        self.xdotool("type", "--delay", delay, "--", text, timeout=120)

    def click(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    # ---- clipboard

    def set_clipboard(self, text):
        """Puts text on the clipboard, owned by an xclip that serves it until
        something else takes the clipboard."""
        self._drop_clipboard_owner()
        self._clipboard_owner = self._processes.start(
            "xclip", ["xclip", "-quiet", "-selection", "clipboard", "-i"], env=self.env(),
            stdin=subprocess.PIPE, log_path=os.path.join(self._work, "xclip.log"))
        self._clipboard_owner.stdin.write(text.encode())
        self._clipboard_owner.stdin.close()
        wait_until("xclip to own the clipboard", lambda: self.clipboard() == text, 15)

    def clipboard(self):
        result = run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                     env=self.env(), timeout=30, check=False)
        return result.stdout.decode(errors="replace") if result.returncode == 0 else None

    def copy_focused_text(self, keys=("ctrl+a", "ctrl+c"), settle=1.0):
        """The text a ctrl+a, ctrl+c copies from the focused control; empty
        when nothing was copied within `settle` seconds."""
        self.set_clipboard(_NOTHING_COPIED)
        self.keys(*keys)
        deadline = time.monotonic() + settle
        while time.monotonic() < deadline:
            text = self.clipboard()
            if text is not None and text != _NOTHING_COPIED:
                return text
            time.sleep(0.05)
        return ""

    def _drop_clipboard_owner(self):
        if self._clipboard_owner is not None:
            self._processes.stop(self._clipboard_owner, grace=2)
            self._clipboard_owner = None

    # ---- eyes

    def screenshot(self, wid, path):
        run(["import", "-window", wid, path], env=self.env(), timeout=30)
        return path
