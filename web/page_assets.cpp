// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_assets.h"

#include "core/app_identity.h"
#include "web/page_json.h"
#include "web/page_markup.h"

#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace vespera {
namespace {

// The desktop's window icon, the same data its resource file holds.
#include "ui/vespera-icon.xpm"

struct XpmHeader {
  int width = 0, height = 0, colours = 0, charsPerPixel = 0;
};

XpmHeader xpmHeader() {
  XpmHeader header;
  std::istringstream(vespera_icon[0]) >> header.width >> header.height >> header.colours >>
      header.charsPerPixel;
  return header;
}

}  // namespace

int iconPixels() { return xpmHeader().width; }

std::string iconSvg() {
  const XpmHeader header = xpmHeader();
  std::map<char, std::string> colours;  // one character a pixel: "r c #FF0000"
  for (int i = 1; i <= header.colours; ++i) {
    const std::string_view line = vespera_icon[i];
    colours[line[0]] = std::string(line.substr(line.rfind(' ') + 1));
  }
  std::string svg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 )" +
                    std::to_string(header.width) + ' ' + std::to_string(header.height) +
                    R"(" shape-rendering="crispEdges">)";
  // One rectangle for each run of one colour along a row.
  for (int y = 0; y < header.height; ++y) {
    const std::string_view row = vespera_icon[1 + header.colours + y];
    for (int x = 0; x < header.width;) {
      int end = x;
      while (end < header.width && row[end] == row[x]) ++end;
      svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
             std::to_string(end - x) + R"(" height="1" fill=")" + colours[row[x]] + "\"/>";
      x = end;
    }
  }
  return svg + "</svg>\n";
}

std::string webManifest() {
  return "{\n  \"name\": " + jsonString(kApplicationTitle) + ",\n  \"short_name\": \"Vespera\"," +
         "\n  \"description\": " + jsonString(kAppDescription) +
         ",\n  \"lang\": \"it\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\","
         "\n  \"display\": \"standalone\",\n  \"background_color\": \"#c0c0c0\","
         "\n  \"theme_color\": \"#c0c0c0\",\n  \"icons\": [\n"
         R"(    {"src": "icon.svg", "sizes": "any", "type": "image/svg+xml"},)"
         "\n"
         R"(    {"src": "icon-128.png", "sizes": "128x128", "type": "image/png"},)"
         "\n"
         R"(    {"src": "icon-256.png", "sizes": "256x256", "type": "image/png"})"
         "\n  ]\n}\n";
}

std::string pageCharacters() {
  std::string characters;
  for (char c = ' '; c <= '~'; ++c) characters += c;
  std::set<std::string> others;  // each a UTF-8 sequence
  const std::string html = pageHtml();
  for (std::size_t i = 0; i < html.size();) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(html[i]);
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    if (length > 1) others.insert(html.substr(i, length));
    i += length;
  }
  for (const std::string& c : others) characters += c;
  return characters + '\n';
}

}  // namespace vespera
