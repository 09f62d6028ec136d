#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web page's budgets, measured, not tested: the site's and the module's size compressed
# (gzip -9 and Brotli 11, as a static host serves them), and the time from navigation to the
# first CALCOLA answer in headless Chromium on localhost, median of 10 cold loads (no HTTP
# cache, no service worker) and of 10 warm ones.
#   bench/web/run.sh [LOADS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
web="${VESPERA_WEB_BUILD_DIR:-$here/build-web}"

install_packages "${web_packages[@]}" chromium chromium-driver python3 python3-selenium \
  python3-brotli
build_site "$here" "$web" >/dev/null
/usr/bin/python3 "$here/bench/web/measure.py" "$web/site" "${1:-10}"
