"""A real print queue for the run: a CUPS scheduler of our own (its own
configuration, spool, cache and log folders and a socket in the run's
folder, so the machine's CUPS setup is neither used nor changed), with a
CUPS-PDF printer named PDF as its default. The program finds it the way any
CUPS client does, through CUPS_SERVER.

CUPS-PDF writes its files where /etc/cups/cups-pdf.conf says: "Out" for a
local user (by default ${HOME}/PDF, the home folder from the password
database), "AnonDirName" for anonymous jobs."""

import glob
import os
import pwd
import re
import shutil
import stat

from harness import Skipped, StepFailed, run, wait_until

CUPS_PDF_BACKEND = "/usr/lib/cups/backend/cups-pdf"
CUPS_PDF_CONF = "/etc/cups/cups-pdf.conf"
CUPS_PDF_PPDS = ["/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd",
                 "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"]
QT_CUPS_PLUGIN = "/usr/lib/x86_64-linux-gnu/qt6/plugins/printsupport/libcupsprintersupport.so"


class PrintQueue:
    def __init__(self, processes, work_dir):
        self._processes = processes
        self._root = os.path.join(work_dir, "cups")
        self.socket = os.path.join(self._root, "cups.sock")
        self._cupsd = None

    def env(self):
        return {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "CUPS_SERVER": self.socket}

    def start(self):
        """Starts the scheduler and adds the default PDF printer; raises
        Skipped with the reason where this machine cannot run CUPS."""
        for needed in (shutil.which("cupsd"), shutil.which("lpadmin"), CUPS_PDF_BACKEND,
                       QT_CUPS_PLUGIN):
            if not needed or not os.path.exists(needed):
                raise Skipped(f"cups: {needed or 'cupsd or lpadmin'} is not installed")
        ppd = next((p for p in CUPS_PDF_PPDS if os.path.exists(p)), None)
        if ppd is None:
            raise Skipped("cups: no CUPS-PDF printer description (PPD) is installed")

        self._check_reachable_by_filters()
        self._write_configuration()
        log = os.path.join(self._root, "log", "cupsd.out")
        self._cupsd = self._processes.start(
            "cupsd", ["cupsd", "-f", "-c", self._path("cupsd.conf"),
                      "-s", self._path("cups-files.conf")],
            env=self.env(), log_path=log)
        try:
            wait_until("the CUPS scheduler to answer on its socket", self._answers, 20,
                       interval=0.25)
        except StepFailed:
            reason = self._tail(log) or self._tail(self._path("log", "error_log"))
            raise Skipped(f"cups: the scheduler did not start: {reason or 'no message'}")
        result = run(["lpadmin", "-p", "PDF", "-v", "cups-pdf:/", "-P", ppd, "-E"],
                     env=self.env(), timeout=30, check=False)
        if result.returncode != 0:
            raise Skipped("cups: lpadmin could not add the PDF printer: "
                          + result.stderr.decode(errors="replace").strip())
        run(["lpadmin", "-d", "PDF"], env=self.env(), timeout=30)
        default = run(["lpstat", "-d"], env=self.env(), timeout=30).stdout.decode()
        if "PDF" not in default:
            raise StepFailed(f"PDF did not become the default printer: {default.strip()}")

    def stop(self):
        if self._cupsd is not None:
            self._processes.stop(self._cupsd)

    def _answers(self):
        if self._cupsd.poll() is not None:
            raise StepFailed(f"cupsd ended with status {self._cupsd.returncode}")
        return run(["lpstat", "-r"], env=self.env(), timeout=10,
                   check=False).stdout.decode().startswith("scheduler is running")

    def _check_reachable_by_filters(self):
        """CUPS runs its filters as the lp user, who must be able to reach the
        spool: every folder above it must let others pass."""
        folder = os.path.dirname(self._root)
        while True:
            if not os.stat(folder).st_mode & stat.S_IXOTH:
                raise StepFailed(f"the print spool under {self._root} is out of the lp user's "
                                 f"reach: {folder} lets no one else pass (chmod o+x)")
            parent = os.path.dirname(folder)
            if parent == folder:
                return
            folder = parent

    def _path(self, *parts):
        return os.path.join(self._root, *parts)

    def _write_configuration(self):
        for folder in ("spool", "cache", "state", "log", "ppd"):
            os.makedirs(self._path(folder), exist_ok=True)
        # Filters run as the unprivileged lp user and keep their files here.
        os.makedirs(self._path("tmp"), exist_ok=True)
        os.chmod(self._path("tmp"), 0o1777)
        os.chmod(self._root, 0o755)
        with open(self._path("cups-files.conf"), "w") as conf:
            conf.write(f"""ServerRoot {self._root}
RequestRoot {self._path('spool')}
TempDir {self._path('tmp')}
CacheDir {self._path('cache')}
StateDir {self._path('state')}
AccessLog {self._path('log', 'access_log')}
ErrorLog {self._path('log', 'error_log')}
PageLog {self._path('log', 'page_log')}
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
""")
        with open(self._path("cupsd.conf"), "w") as conf:
            conf.write(f"""Listen {self.socket}
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""")

    @staticmethod
    def _tail(path, lines=5):
        try:
            with open(path, errors="replace") as f:
                return " | ".join(f.read().strip().splitlines()[-lines:])
        except OSError:
            return ""

    # ---- where CUPS-PDF puts the page

    @staticmethod
    def output_folders():
        """The folders CUPS-PDF writes into for the user running the program."""
        settings = {"Out": "${HOME}/PDF", "AnonDirName": "/var/spool/cups-pdf/ANONYMOUS"}
        try:
            with open(CUPS_PDF_CONF, errors="replace") as conf:
                for line in conf:
                    match = re.match(r"^\s*(Out|AnonDirName)\s+(\S+)", line)
                    if match:
                        settings[match.group(1)] = match.group(2)
        except OSError:
            pass
        user = pwd.getpwuid(os.getuid())
        out = settings["Out"].replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)
        return [out, settings["AnonDirName"]]

    @classmethod
    def pdf_files(cls):
        found = set()
        for folder in cls.output_folders():
            found.update(glob.glob(os.path.join(glob.escape(folder), "*.pdf")))
        return found

    def job_log(self):
        return self._tail(self._path("log", "error_log"), lines=10)
