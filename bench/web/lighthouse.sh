#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lighthouse's four scores for the web page (Performance, Accessibility, Best Practices, SEO),
# on its mobile and its desktop settings, in Debian's headless Chromium, with the site served
# from this machine. Lighthouse comes from the npm registry at the version and integrity
# bench/web/package-lock.json pins. Measured, not tested: Performance depends on how busy
# the machine is.
#   bench/web/lighthouse.sh [SITE]
# SITE: a site built before, such as an earlier version's to compare with; by default this
# tree's, built in VESPERA_WEB_BUILD_DIR (default build-web).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
web="${VESPERA_WEB_BUILD_DIR:-$here/build-web}"

install_packages "${web_packages[@]}" chromium python3
work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-lighthouse.XXXXXX")
remove_work() { rm -rf "$work"; }
on_exit remove_work
site=${1:-$web/site}
[ $# -gt 0 ] || build_site "$here" "$web" >/dev/null
[ -f "$site/index.html" ] || { echo "no site in $site" >&2; exit 1; }
npm_install_pinned "$here/bench/web" "$work" ||
  { echo "npm could not install the pinned Lighthouse" >&2; exit 1; }
/usr/bin/python3 "$here/bench/web/lighthouse.py" "$site" "$work"
