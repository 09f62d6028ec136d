"""What every part of the suite shares: failing with a clear message, waiting
with a bound, running a command with a bound, and starting background
processes that are always stopped again, by their process id."""

import os
import signal
import subprocess
import time


class StepFailed(Exception):
    """A scenario step did not happen; the message names what was awaited."""


class Skipped(Exception):
    """A scenario cannot run on this machine; the message says why."""


def expect_equal(found, expected, what):
    if found != expected:
        shown = repr(found) if len(repr(found)) < 300 else repr(found)[:300] + "..."
        raise StepFailed(f"{what}: found {shown}, expected {expected!r}")


def wait_until(what, probe, timeout, interval=0.1):
    """Calls probe until it returns something true and returns that; fails
    naming `what` once `timeout` seconds have passed."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise StepFailed(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def run(command, timeout=20, env=None, input_bytes=None, check=True):
    """Runs a command to its end within `timeout` seconds; returns its
    CompletedProcess with bytes output."""
    try:
        result = subprocess.run(command, env=env, input=input_bytes, capture_output=True,
                                timeout=timeout, check=False)
    except subprocess.TimeoutExpired:
        raise StepFailed(f"timed out after {timeout:g} s waiting for: {' '.join(command)}")
    except FileNotFoundError:
        raise StepFailed(f"command not found: {command[0]}")
    if check and result.returncode != 0:
        raise StepFailed(f"{' '.join(command)} exited with {result.returncode}: "
                         f"{result.stderr.decode(errors='replace').strip()[:500]}")
    return result


class Processes:
    """Background processes of the run. Each one's id goes into a file as soon
    as it starts, so that the stage script can stop it even if this program
    is killed; stop_all() stops them here in the reverse order of starting."""

    def __init__(self, pid_file):
        self._pid_file = pid_file
        self._running = []

    def start(self, name, command, env=None, cwd=None, log_path=None, stdin=None,
              stdout=None):
        log = open(log_path, "ab") if log_path else subprocess.DEVNULL
        try:
            process = subprocess.Popen(command, env=env, cwd=cwd, stdin=stdin,
                                       stdout=stdout if stdout is not None else log,
                                       stderr=log)
        except FileNotFoundError:
            raise StepFailed(f"cannot start {name}: {command[0]} not found")
        finally:
            if log_path:
                log.close()
        self._running.append((name, process))
        self._write_pid_file()
        return process

    def stop(self, process, grace=5):
        """Ends one process: SIGTERM, then SIGKILL after `grace` seconds."""
        if process.poll() is None:
            try:
                process.send_signal(signal.SIGTERM)
                process.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=grace)
        self._running = [(n, p) for n, p in self._running if p is not process]
        self._write_pid_file()

    def stop_all(self):
        for _, process in reversed(list(self._running)):
            self.stop(process)

    def _write_pid_file(self):
        """Only the processes still ours: an id of one that ended may soon
        belong to someone else."""
        try:
            with open(self._pid_file, "w") as pids:
                pids.writelines(f"{p.pid}\n" for _, p in self._running if p.poll() is None)
        except OSError:
            pass  # the stage is already cleaning up; the processes are stopped here too


def make_private_folder(path):
    os.makedirs(path, mode=0o700, exist_ok=True)
    return path
