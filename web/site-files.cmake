# SPDX-License-Identifier: GPL-3.0-or-later

# Run with cmake -DSITE=... -P site-files.cmake once the site folder SITE is built:
#  - names every file where another file names it with a digest of its content
#    (vespera.css?v=DIGEST), so that a browser never takes a file of the version before from
#    its memory or HTTP cache for a page of the new one, however the host says to cache it;
#  - writes site-files.js: the files the service worker keeps, and a version made of their
#    digest.

# Gives each of the files NAMED in FILE its digest, replacing any of an earlier run.
function(name_with_digests file)
  file(READ ${SITE}/${file} text)
  foreach(named ${ARGN})
    file(SHA256 ${SITE}/${named} digest)
    string(SUBSTRING ${digest} 0 16 digest)
    string(REPLACE "." "[.]" pattern "${named}")
    string(REGEX REPLACE "([\"'(/])${pattern}(\\?v=[0-9a-f]+)?" "\\1${named}?v=${digest}"
      text "${text}")
  endforeach()
  file(WRITE ${SITE}/${file} "${text}")
endfunction()

# Each file before those that name it.
file(GLOB fonts RELATIVE ${SITE} ${SITE}/fonts/*.woff2)
name_with_digests(layout.css ${fonts})
name_with_digests(vespera-core.mjs vespera-core.wasm)
name_with_digests(vespera-page.mjs vespera-core.mjs)
name_with_digests(vespera.webmanifest icon.svg icon-128.png icon-256.png)
name_with_digests(index.html vespera.webmanifest icon.svg vespera.css layout.css
  vespera-core.wasm vespera-core.mjs vespera-page.mjs)

file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files site-files.js sw.js)
list(SORT files)
set(digests "")
set(names "\"./\"")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${digest} ${file}\n")
  string(APPEND names ", \"${file}\"")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 version)
file(WRITE ${SITE}/site-files.js
  "// Written by the build: the site's files and their version.\n"
  "self.SITE_VERSION = \"${version}\";\nself.SITE_FILES = [${names}];\n")
