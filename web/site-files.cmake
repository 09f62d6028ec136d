# SPDX-License-Identifier: GPL-3.0-or-later

# Writes site-files.js into the site folder SITE: the files the service worker keeps, and a
# version made of their digest. Run with cmake -DSITE=... -P site-files.cmake.
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
