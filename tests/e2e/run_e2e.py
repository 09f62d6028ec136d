#!/usr/bin/env python3
"""The end-to-end suite: the built program on a private X display, driven
with keys, clicks and the clipboard, one fresh run of it per scenario.

Usage: run_e2e.py --program BUILD/app/vespera --output DIR --work DIR
                  [--pid-file FILE] [--mounts-file FILE] [--only NAME ...]

Prints one line per scenario and a closing "N passed, N failed, N skipped";
exits 1 when a scenario failed. Screenshots of every window go to --output."""

import argparse
import contextlib
import os
import signal
import sys
import time
import traceback

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scenarios_calculator  # noqa: E402
import scenarios_hardening  # noqa: E402
import scenarios_windows  # noqa: E402
from desktop import Desktop  # noqa: E402
from harness import Processes, Skipped, StepFailed, make_private_folder, run  # noqa: E402
from vespera import Vespera  # noqa: E402

SCENARIOS = (scenarios_calculator.SCENARIOS + scenarios_windows.SCENARIOS
             + scenarios_hardening.SCENARIOS)


class Session:
    """What the scenarios share: the display, the background processes, the
    run's folders; and a fresh program for each scenario."""

    def __init__(self, args, processes, desktop):
        self.processes = processes
        self.desktop = desktop
        self.output_dir = args.output
        self._program = args.program
        self._work = args.work
        self._mounts_file = args.mounts_file

    def scenario_dir(self, name):
        """A folder for a scenario's files; open to other users, since the
        print server's filters run as lp and read the spool kept there."""
        folder = os.path.join(self._work, name)
        os.makedirs(folder, exist_ok=True)
        os.chmod(folder, 0o755)
        return folder

    def note_mount(self, mount_point):
        """Remembers a mount for the stage script to undo should we be killed."""
        if self._mounts_file:
            with open(self._mounts_file, "a") as mounts:
                mounts.write(mount_point + "\n")

    @contextlib.contextmanager
    def program(self, name, extra_env=None):
        work = make_private_folder(os.path.join(self._work, name + "-program"))
        app = Vespera(self.desktop, self.processes, self._program, work, self.output_dir,
                      extra_env)
        try:
            app.start()
            yield app
            if not app.running() and app.process.returncode != 0:
                raise StepFailed(f"the program ended with status {app.process.returncode}")
        except BaseException:
            self._record_failure(name, app, work)
            raise
        finally:
            app.stop()

    def expect_no_window(self, title, what, settle=1.0):
        time.sleep(settle)
        if self.desktop.windows_titled(title):
            raise StepFailed(f"unexpected: {what}")

    def _record_failure(self, name, app, work):
        with contextlib.suppress(Exception):
            path = os.path.join(self.output_dir, f"FAILED-{name}.png")
            run(["import", "-window", "root", path], env=self.desktop.env(), timeout=30)
            print(f"    screen at the failure: {path}")
        if app.process is not None and app.process.poll() is not None:
            print(f"    the program had ended with status {app.process.returncode}")
        with contextlib.suppress(OSError), open(os.path.join(work, "vespera.log")) as log:
            lines = log.read().strip().splitlines()[-10:]
            if lines:
                print("    the program's last output:\n      " + "\n      ".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--pid-file", default=None)
    parser.add_argument("--mounts-file", default=None)
    parser.add_argument("--only", nargs="*", default=None,
                        help="run only the scenarios whose names contain one of these")
    args = parser.parse_args()
    # The program runs in a folder of its own: every path must stand alone.
    args.program, args.output, args.work = (os.path.abspath(p) for p in
                                            (args.program, args.output, args.work))
    for folder in (args.output, args.work):
        os.makedirs(folder, exist_ok=True)
    os.chmod(args.work, 0o755)
    if not os.access(args.program, os.X_OK):
        print(f"E2E FAILED: no program to run at {args.program}")
        return 1

    # Stopped from outside (the stage's time limit, Ctrl+C): still stop what
    # we started, through the finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    processes = Processes(args.pid_file or os.path.join(args.work, "pids"))
    passed = failed = skipped = 0
    try:
        desktop = Desktop(processes, args.work)
        desktop.start()
        print(f"Display {desktop.display} with Openbox; screenshots in {args.output}")
        session = Session(args, processes, desktop)
        for name, scenario in SCENARIOS:
            if args.only and not any(part in name for part in args.only):
                continue
            started = time.monotonic()
            try:
                scenario(session)
            except Skipped as reason:
                skipped += 1
                print(f"SKIPPED: {reason}  [{name}]")
                continue
            except StepFailed as failure:
                failed += 1
                print(f"FAIL {name}: {failure}")
                continue
            except Exception:
                failed += 1
                print(f"FAIL {name}: the suite itself broke:\n{traceback.format_exc()}")
                continue
            passed += 1
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)")
    except StepFailed as failure:
        print(f"E2E FAILED before the scenarios could run: {failure}")
        return 1
    finally:
        processes.stop_all()
    print(f"{passed} passed, {failed} failed, {skipped} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
