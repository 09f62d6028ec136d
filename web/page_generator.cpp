// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the page and the files drawn from the same tables as the desktop's window into the
// site's folder: index.html, layout.css, vespera.webmanifest, icon.svg; and into the build's
// the list of web fonts to cut and the characters they must hold.
//   page_generator SITE_FOLDER BUILD_FOLDER

#include "web/page_assets.h"
#include "web/page_markup.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool write(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "page_generator: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: page_generator SITE_FOLDER BUILD_FOLDER\n");
    return 2;
  }
  const std::string site = std::string(argv[1]) + '/';
  const std::string build = std::string(argv[2]) + '/';
  const bool written = write(site + "index.html", vespera::pageHtml()) &&
                       write(site + "layout.css", vespera::layoutCss()) &&
                       write(site + "vespera.webmanifest", vespera::webManifest()) &&
                       write(site + "icon.svg", vespera::iconSvg()) &&
                       write(build + "web-fonts.txt", vespera::webFontList()) &&
                       write(build + "page-characters.txt", vespera::pageCharacters());
  return written ? 0 : 1;
}
