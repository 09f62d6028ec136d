#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page in Debian's headless Chromium, driven through chromium-driver as a person
drives it: cases of cases.txt typed and clicked against the native core's outcomes, saving
through the save dialog and by download, printing to PDF, a phone's viewport by touch, the
keyboard, both colour schemes, axe-core, what the page keeps and sends, a reload from the
service worker with the server gone, and new versions reaching a returning user.
usage: browser_check.py SITE NATIVE_OUTCOMES CASES AXE_SCRIPT [SCREENSHOT_FOLDER]"""
import atexit
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.common.print_page_options import PrintOptions
from selenium.webdriver.support.ui import WebDriverWait

SITE, NATIVE, CASES, AXE = sys.argv[1:5]
SHOTS = sys.argv[5] if len(sys.argv) > 5 else None
HERE = os.path.dirname(os.path.abspath(__file__))
expected = {case["case"]: case for case in map(json.loads, open(NATIVE, encoding="utf-8"))}
steps, saved_as = {}, {}  # a case's steps, and the name it saves under
for line in open(CASES, encoding="utf-8"):
    if line.strip() and not line.startswith("#"):
        name, _, actions, *named = (part.strip() for part in line.split("|"))
        steps[name], saved_as[name] = [action.strip() for action in actions.split(";")], "".join(named)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=SITE))
threading.Thread(target=server.serve_forever, daemon=True).start()
URL = f"http://127.0.0.1:{server.server_port}/"
work = tempfile.mkdtemp()
atexit.register(shutil.rmtree, work, True)
downloads = os.path.join(work, "downloads")
os.mkdir(downloads)
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + os.path.join(work, "profile"), "--window-size=1000,760"):
    options.add_argument(flag)
options.add_experimental_option("prefs", {"download.default_directory": downloads})
options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
atexit.register(driver.quit)  # however the check ends, before its folder goes
run = driver.execute_script
cdp = driver.execute_cdp_cmd
wait = WebDriverWait(driver, 30)
# Every CSP violation and layout shift the page meets, kept from the document's first moment.
cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "window.violations = []; window.shift = 0;"
    "addEventListener('securitypolicyviolation', (e) => violations.push(e.violatedDirective));"
    "new PerformanceObserver((list) => list.getEntries().forEach((e) => { shift += e.value; }))"
    ".observe({ type: 'layout-shift', buffered: true });"})


# The save dialog of the File System Access API, which no one can answer in a headless
# browser: it offers a real file of the origin's private file system, or answers as a user or
# a disk might: a cancel, a write that fails, a dialog left open until picker.held() is called.
PICKER = """window.picker = { answer: 'write', names: [] };
window.showSaveFilePicker = async ({ suggestedName }) => {
  picker.names.push(suggestedName);
  if (picker.answer === 'hold') await new Promise((go) => { picker.held = go; });
  if (picker.answer === 'cancel') throw new DOMException('The user aborted a request.', 'AbortError');
  if (picker.answer === 'fail') return { createWritable: () => Promise.reject(new Error('full')) };
  return (await navigator.storage.getDirectory()).getFileHandle('saved', { create: true });
};"""


def load(locale="en-US", scheme="light"):
    cdp("Emulation.setLocaleOverride", {"locale": locale})
    cdp("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
    driver.get(URL)
    wait.until(lambda d: run("return 'ready' in document.documentElement.dataset"))
    run(PICKER)


def picked():
    """The bytes written through the save dialog (b"" for none), and the file gone again."""
    return bytes(driver.execute_async_script(
        "navigator.storage.getDirectory().then(async (folder) => { const bytes = await folder"
        ".getFileHandle('saved').then((h) => h.getFile()).then((f) => f.arrayBuffer()).catch(() =>"
        " new ArrayBuffer(0)); await folder.removeEntry('saved').catch(() => {}); return [...new"
        " Uint8Array(bytes)]; }).then(arguments[0], () => arguments[0]([]))"))


def fields():
    return run("return Object.fromEntries([...document.querySelectorAll('main input')]"
               ".map((box) => [box.id, box.value]))")


def boxes_shown():
    """The message boxes the press shows (with Text4 under each, and the focus), each closed."""
    boxes = []
    while True:
        wait.until(lambda d: run("return document.querySelector('main')?.ariaBusy !== 'true'"
                                 " || !!document.querySelector('dialog:modal')"))
        box = run("const b = document.querySelector('dialog:modal'); return b && [b.querySelector"
                  "('.title').textContent, b.querySelector('.prompt').textContent, b.dataset.icon,"
                  " document.getElementById('Text4').value, document.activeElement.id]")
        if not box:
            return boxes
        boxes.append(box)
        driver.find_element(By.ID, "runtimeMessageBox-ok").click()


def replay(name):
    """The case's steps typed and clicked: the boxes seen (with Text4 under each), in order."""
    boxes = []
    for step in steps[name]:
        if not step.startswith("press "):
            control, text = step.split("=", 1)
            box = driver.find_element(By.ID, control)
            box.clear()
            box.send_keys(text)
            continue
        driver.find_element(By.ID, step[6:]).click()
        boxes += boxes_shown()
    return boxes


def saved(name):
    """The bytes of a download, and the file gone again; None where none comes."""
    for _ in range(100):
        if os.path.exists(os.path.join(downloads, name)):
            with open(os.path.join(downloads, name), "rb") as file:
                os.remove(file.name)
                return file.read()
        time.sleep(0.1)
    return None


def keys(*pressed):
    ActionChains(driver).send_keys(*pressed).perform()


def alt(letter):
    ActionChains(driver).key_down(Keys.ALT).send_keys(letter).key_up(Keys.ALT).perform()


def focused():
    return run("return document.activeElement.id")


# Cases typed and clicked, on a period and on a comma locale; no save dialog for a record the
# file cannot hold (the records written, the save table below reads).
for locale, names in (("en-US", ["sun", "no distance", "parallax", "arc minutes", "colour index",
                                 "save what cannot be encoded"]),
                      ("it-IT", ["sun comma", "magnitudes to colour index", "save absolute magnitude"])):
    for name in names:
        load(locale)
        boxes = replay(name)
        wanted = [[box["title"], box["prompt"], box["icon"]] for box in expected[name]["boxes"]]
        check(fields() == expected[name]["fields"] and [box[:3] for box in boxes] == wanted and
              all(box[4] == "runtimeMessageBox-ok" for box in boxes) and
              (expected[name]["files"] or run("return picker.names") == []),
              f"{name}: the desktop's fields and message boxes, each opening on its OK")
# A field written after a box appears once the box is closed, as on the desktop.
check(boxes[0][3] == "" and fields()["Text4"] != "", "a result waits for its warning's OK")
# A press writes back only the boxes its handler changed, and names each in the live region;
# a box left alone keeps its text, even one the core cannot hold (a NUL); no two share a name.
# A magnitude two million characters long reads whole, as on the desktop (no stack holds it).
load()
run("document.getElementById('Text8').value = '1\\u00002'")
replay("sun")
run("Text4.value = Text16.value = ''; Text2.value = `0.${'0'.repeat(2e6)}483E2000001`; Command41.click()")
said, names = run("return [document.getElementById('announce').textContent, [...document.querySelectorAll("
                  "'main input')].map((b) => b.getAttribute('aria-label') ?? b.labels[0]?.textContent.trim())]")
check(fields()["Text8"] == "1\x002" and f"Distanza in Kilometri: {fields()['Text16']}" in said and
      len(set(names)) == len(fields()) and fields()["Text4"] == expected["sun"]["fields"]["Text4"],
      f"CALCOLA announced: {said}")

# Saving through the browser's save dialog, and a download where the browser has none: the
# name suggested, the file that lands, and the box that follows once the browser has answered.
WRITTEN, FAILED = ([b["title"], b["prompt"], b["icon"]] for b in (
    expected["save everything"]["boxes"][0], expected["save what cannot be encoded"]["boxes"][0]))
SAVES = [  # a case that ends saving with Command84, the dialog's answer (None: no dialog), the box
    ("save everything", "hold", WRITTEN),
    ("name of the default", "write", WRITTEN),
    ("name from a relative path", "cancel", None),
    ("name after a drive", "fail", FAILED),
    ("name of the default", None, "handed"),
    ("name of a folder's parent", None, "handed"),
    ("name too long", None, "handed"),
]
for case, answer, box in SAVES:
    load()
    run("picker.answer = arguments[0]; if (!arguments[0]) window.showSaveFilePicker = undefined;", answer)
    steps["before saving"], name = steps[case][:-1], saved_as[case]
    replay("before saving")
    driver.find_element(By.ID, "Command84").click()
    if answer == "hold":
        wait.until(lambda d: run("return !!picker.held"))
        time.sleep(0.3)
        check(run("return !document.querySelector('dialog:modal')"), "no box while the save dialog is open")
        run("picker.held()")
    shown = [b[:3] for b in boxes_shown()]
    file, record = saved(name) if answer is None else picked(), bytes.fromhex(expected[case]["files"][0])
    if box == "handed" and shown and name in shown[0][1] and shown[0][1] != WRITTEN[1]:
        box = [WRITTEN[0], shown[0][1], WRITTEN[2]]  # the desktop's title and icon, no success
    check(file == (record if box and box != FAILED else b"") and shown == ([box] if box else [])
          and run("return picker.names") == [name] * bool(answer),
          f"{case}, {answer}: {name[:24]} suggested, {box}")
check(os.listdir(downloads) == [], "nothing downloaded but the files handed to the browser")
if SHOTS:
    load()
    replay("sun")
    driver.save_screenshot(os.path.join(SHOTS, "web-desktop.png"))

# Keyboard: Tab in the desktop's order, Enter and Space press, menus by access key and arrows.
load()
stops = [line.strip() for line in open(os.path.join(HERE, "../tab-order.txt"), encoding="utf-8")
         if not line.startswith("#")]
walked = [focused()]
for _ in stops[1:]:
    keys(Keys.TAB)
    walked.append(focused())
check(walked == stops, "Tab follows the desktop's order")
driver.find_element(By.ID, "Command55").send_keys(Keys.ENTER)
driver.find_element(By.ID, "Command51").send_keys(Keys.SPACE)
check(fields()["Text7"] == "" and fields()["Text1"] == "", "Enter and Space press the focused button")
run("window.print = () => { window.printed = true; };")
alt("f")
keys("s")
check(run("return window.printed === true"), "Alt+F, S prints")
alt("a")
check(focused() == "mnuManuale", "Alt+A opens Aiuto")
keys(Keys.ARROW_DOWN, Keys.ENTER)
check(run("return document.getElementById('frmAbout').open") and focused() == "cmdOK",
      "the arrows and Enter open the About box on its OK")
driver.find_element(By.ID, "cmdSysInfo").click()
check(run("return document.querySelector('dialog:modal .prompt').textContent")
      == "Le informazioni sul sistema non sono attualmente disponibili.",
      "System Info says it is unavailable")
driver.find_element(By.ID, "runtimeMessageBox-ok").click()
driver.find_element(By.ID, "cmdOK").send_keys(Keys.ESCAPE)
driver.find_element(By.ID, "mnuAiuto-title").click()
driver.find_element(By.ID, "mnuManuale").click()
keys(Keys.ESCAPE)
check(not run("return document.getElementById('frmAbout').open") and "ATTENZIONE" in
      driver.find_element(By.ID, "Dialog").text, "Esc closes the About box, not the manual")

# axe-core on the window, the manual and the About box in both colour schemes: nothing serious
# or critical, so every text reads at 4.5:1 (3:1 where large) on what it is drawn on.
for scheme in ("light", "dark"):
    load(scheme=scheme)
    for opener in ("mnuManuale", "mnuProdotto"):
        run(f"document.getElementById('{opener}').click()")
    run(open(AXE, encoding="utf-8").read() + "; return true;")
    found = driver.execute_async_script("axe.run(document).then((r) => arguments[0]("
                                        "r.violations.map((v) => [v.id, v.impact, v.nodes.length])))")
    print("axe-core", run("return axe.version"), scheme, "violations:", found or "none")
    check(not [v for v in found if v[1] in ("serious", "critical")],
          f"axe-core in the {scheme} scheme: nothing serious or critical")

# File, Stampa through print-to-PDF: one page, the window with its results, no menu.
load()
replay("sun")
pdf = os.path.join(downloads, "printed.pdf")
with open(pdf, "wb") as out:
    out.write(__import__("base64").b64decode(driver.print_page(PrintOptions())))
info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout
os.remove(pdf)
check("Pages:           1" in info and "1548478941.99956" in text and "CALCOLA" in text
      and "Aiuto" not in text, "Stampa prints the window on one page")

# ESCI: a window a script opened closes; a tab the user opened ends and says so.
run("window.open(arguments[0])", URL)
first = driver.current_window_handle
driver.switch_to.window(driver.window_handles[-1])
wait.until(lambda d: run("return 'ready' in document.documentElement.dataset"))
driver.find_element(By.ID, "Command42").click()
time.sleep(0.5)
driver.switch_to.window(first)
driver.find_element(By.ID, "Command42").click()
check(len(driver.window_handles) == 1 and focused() == "reopen" and not run(
    "return document.querySelector('main')"), "ESCI closes what it may and ends the rest")

# Viewports: from the window's width up, the window at 1:1 as the desktop draws it; below it,
# one column of finger-sized targets and legible text, never wider than the viewport; no shift.
MEASURE = """const shown = (s) => [...document.querySelectorAll(s)].filter((e) => e.checkVisibility());
const texts = shown('main *').filter((e) => e.matches('input') || [...e.childNodes].some((n) =>
  n.nodeType === 3 && n.data.trim())).map((e) => parseFloat(getComputedStyle(e).fontSize));
const sides = shown('main button, main input').map((e) => e.getBoundingClientRect())
  .map((r) => Math.min(r.width, r.height));
const measured = [Math.floor(Math.min(...sides)), Math.min(...texts), parseFloat(getComputedStyle(
  document.getElementById('Text4')).fontSize), document.getElementById('Form1').offsetWidth,
  document.documentElement.scrollWidth - innerWidth, shift];
return [...measured, shown('main button').filter((b) => { b.scrollIntoView({ block: 'center' });
  const r = b.getBoundingClientRect(); return r.height < 44 && !b.closest('.menubar') ||
  document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2)?.closest('button') !== b; })
  .map((b) => b.id)];"""  # the last: buttons under 44 px tall, or under something where drawn
VIEWPORTS = [  # width, height, device pixels a CSS pixel, a phone's
    (1280, 800, 1, False), (800, 600, 1, False), (844, 390, 3, True), (390, 844, 3, True),
    (360, 640, 3, True), (320, 568, 2, True), (640, 400, 2, False)]  # the last: 1280 x 800 at 200 %
cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
for width, height, scale, phone in VIEWPORTS:
    cdp("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                               "deviceScaleFactor": scale, "mobile": phone})
    load()
    time.sleep(0.5)
    side, text, box, _, sideways, shift, untouchable = measured = run(MEASURE)
    if width == 1280:
        desktop = measured
    if width == 390:  # the Sun by touch
        for step in steps["sun"]:
            control, _, typed = step.removeprefix("press ").partition("=")
            run("document.getElementById(arguments[0]).scrollIntoView({ block: 'center' })", control)
            x, y = run("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       " return [r.x + r.width / 2, r.y + r.height / 2]", control)
            for kind, points in () if typed else (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
                cdp("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
            if typed:
                driver.find_element(By.ID, control).send_keys(typed)
        check(fields() == expected["sun"]["fields"], "the Sun by touch")
        if SHOTS:
            driver.save_screenshot(os.path.join(SHOTS, "web-phone.png"))
    run("document.getElementById('mnuManuale').click(); const m = document.getElementById('Dialog');"
        " m.scrollTop = m.scrollLeft = 1e6;")
    manual = run("const r = document.getElementById('Dialog-Label1').getBoundingClientRect();"
                 " return r.bottom <= document.getElementById('Dialog').getBoundingClientRect().bottom")
    check(sideways <= 0 and shift < 0.01 and manual and (measured[:4] == desktop[:4] if width >= desktop[3] else
          side >= 24 and text >= 12 and box == 16 and box * scale >= 2 * desktop[2] and not untouchable),
          f"{width} x {height} at {scale}: smallest target, text, text box, window, sideways, shift "
          f"{measured[:6]}, untouchable {untouchable if width < desktop[3] else 'not asked'}")
cdp("Emulation.clearDeviceMetricsOverride", {})

# A browser without WebAssembly gets the page's notice, not a window of buttons that do nothing.
script = cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "delete window.WebAssembly;"})
driver.get(URL)
wait.until(lambda d: run("return !document.getElementById('no-core').hidden"))
check(not run("return document.querySelector('main')"), "without WebAssembly, the page says what it needs")
cdp("Page.removeScriptToEvaluateOnNewDocument", script)

# Nothing leaves the machine, nothing is kept but the site, no script but the site's.
requests = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
urls = {m["params"]["request"]["url"] for m in requests if m["method"] == "Network.requestWillBeSent"}
elsewhere = {url for url in urls if url.startswith(("http", "ws")) and not url.startswith(URL)}
check(not elsewhere, f"no request beyond the site's files {sorted(elsewhere)}")
check(driver.get_cookies() == [] and run("return localStorage.length + sessionStorage.length") == 0
      and driver.execute_async_script("indexedDB.databases().then(arguments[0])") == [],
      "no cookies and no storage")
check(run("return violations") == [], "the page keeps to its Content-Security-Policy")
run("const s = document.createElement('script'); s.textContent = 'window.inline = 1';"
    " document.body.append(s); setTimeout(() => { try { window.evaluated = eval('1'); } catch {} })")
time.sleep(0.2)
check(run("return !window.inline && !window.evaluated && violations.length == 2"),
      "no inline script and no eval")

# Offline: the service worker serves the page, and it calculates, with the server stopped.
wait.until(lambda d: run("return !!navigator.serviceWorker.controller"))
server.shutdown()
server.server_close()
load()
replay("sun")
check(fields() == expected["sun"]["fields"], "the page reloads and works offline")

# Updates: each site a copy on a host (an origin) of its own, kept by its worker, then changed
# on the host and loaded three times more, as a returning user does.
SITE_FILES = os.path.join(HERE, "../../web/site-files.cmake")
LONG_AGO = time.time() - 365 * 86400  # files last modified long ago stay fresh in the HTTP cache
OTHER = os.path.join(work, "other")
os.mkdir(OTHER)
open(os.path.join(OTHER, "index.html"), "w", encoding="utf-8").write("<title>Altro sito</title>")


def visit(url):
    """A load as it shows: whether its page and its style are the new ones, and it is Vespera."""
    driver.get(url)
    wait.until(lambda d: run("return document.readyState === 'complete' && ('ready' in document"
                             ".documentElement.dataset || !document.getElementById('Command84'))"))
    return run("return [!!document.getElementById('build-2'), getComputedStyle(document.documentElement)"
               ".getPropertyValue('--build') === '2', !!document.getElementById('Command84')]")


def host(name, modified=None):
    """A copy of the site served from host.folder as python3 -m http.server serves it
    (Last-Modified, no Cache-Control), visited until its worker keeps it."""
    folder = os.path.join(work, name)
    shutil.copytree(SITE, folder)
    for file in os.listdir(folder) if modified else []:
        os.utime(os.path.join(folder, file), (modified, modified))
    served = http.server.ThreadingHTTPServer(("127.0.0.1", 0), lambda *a: Quiet(*a, directory=served.folder))
    served.folder = folder
    threading.Thread(target=served.serve_forever, daemon=True).start()
    visit(f"http://127.0.0.1:{served.server_port}/")
    wait.until(lambda d: run("return !!navigator.serviceWorker.controller"))
    run("return caches.open('altro-sito')")  # another site's, on the same origin
    visit(driver.current_url)
    return served


def rebuild(folder, files):
    """A new version: a mark added to each file, and the build's last step run again."""
    for file in files:
        with open(os.path.join(folder, file), "a", encoding="utf-8") as out:
            out.write("html { --build: 2 }" if file.endswith(".css") else "<i id=build-2></i>")
    subprocess.run(["cmake", "-DSITE=" + folder, "-P", SITE_FILES], check=True)
    return open(os.path.join(folder, "site-files.js"), encoding="utf-8").read().split('"')[1]


UPDATES = [  # the change on the host, when its files were modified, the first load showing it
    ("a rebuild", ["index.html", "vespera.css"], None, 1),
    ("a rebuild, the host sending no Cache-Control", ["index.html", "vespera.css"], LONG_AGO, 1),
    ("a change to index.html alone", ["index.html"], LONG_AGO, 1),
    ("another site on the same host and port", [], LONG_AGO, None),
]
for number, (change, files, modified, first) in enumerate(UPDATES):
    site = host(f"update-{number}", modified)
    kept = sorted(["altro-sito"] + [f"/vespera-{rebuild(site.folder, files)}"] * bool(files))
    site.folder = site.folder if files else OTHER
    seen = [visit(driver.current_url) for _ in range(3)]
    shown = [n + 1 for n, page in enumerate(seen) if page == ["index.html" in files,
                                                              "vespera.css" in files, True]]
    try:
        wait.until(lambda d: sorted(run("return caches.keys()")) == kept)
    finally:
        check(shown == list(range(first or 4, 4)) and not run("return document.getElementById('update')?.childElementCount"),
              f"{change}: {f'new from load {first}' if first else 'Vespera never'} ({seen}), caches {kept}")
    site.shutdown()

# A new version while the page is open: announced in its live region with a button that
# reloads; what the user typed stays until then.
site = host("update-open")
driver.find_element(By.ID, "Text2").send_keys("4.83")
rebuild(site.folder, ["index.html"])
run("window.stayed = true; document.dispatchEvent(new Event('visibilitychange'))")
wait.until(lambda d: run("return document.getElementById('update').childElementCount > 0"))
time.sleep(0.5)
check(run("return window.stayed && document.getElementById('Text2').value") == "4.83"
      and driver.find_element(By.CSS_SELECTOR, "#update[role=status]").text, "a new version announced")
driver.find_element(By.ID, "update-reload").click()
wait.until(lambda d: run("return !window.stayed && 'ready' in document.documentElement.dataset"))
check(run("return !!document.getElementById('build-2')"), "its button reloads the new version")
site.shutdown()

print(f"{len(failures)} failed" if failures else "browser check passed")
sys.exit(1 if failures else 0)
