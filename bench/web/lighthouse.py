#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lighthouse on the site served from this machine, with its mobile and its desktop settings:
the four category scores, and under each the audits that cost points there (Performance's
only as its score).
usage: lighthouse.py SITE WORK   (WORK: where npm installed Lighthouse, and its reports go)"""
import functools
import http.server
import json
import os
import subprocess
import sys
import threading

SITE, WORK = sys.argv[1:3]
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=SITE))
threading.Thread(target=server.serve_forever, daemon=True).start()
url = f"http://127.0.0.1:{server.server_port}/"
# Lighthouse starts Chromium itself (chrome-launcher), with a profile of its own each time.
environment = dict(os.environ, CHROME_PATH="/usr/bin/chromium")
print(f"{'settings':10}" + "".join(f"{name:>16}" for name in CATEGORIES))
for settings in ("mobile", "desktop"):
    report = os.path.join(WORK, f"{settings}.json")
    subprocess.run([os.path.join(WORK, "node_modules/.bin/lighthouse"), url, "--quiet",
                    "--output=json", f"--output-path={report}", f"--only-categories={','.join(CATEGORIES)}",
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu --no-first-run"]
                   + ["--preset=desktop"] * (settings == "desktop"), env=environment, check=True)
    result = json.load(open(report, encoding="utf-8"))
    categories, audits = result["categories"], result["audits"]
    scores = [categories[name]["score"] for name in CATEGORIES]
    print(f"{settings:10}" + "".join(f"{'-' if s is None else round(s * 100):>16}" for s in scores))
    for name in CATEGORIES[1:]:
        for ref in categories[name]["auditRefs"]:
            audit = audits[ref["id"]]
            if ref["weight"] and audit["score"] is not None and audit["score"] < 1:
                print(f"{'':10}  {name}: {ref['id']} ({audit['title']})")
server.shutdown()
