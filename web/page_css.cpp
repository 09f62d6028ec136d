// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/about_layout.h"
#include "form/font_substitutes.h"
#include "form/manual_layout.h"
#include "form/readable_text.h"
#include "web/page_assets.h"
#include "web/page_markup.h"

#include <cctype>
#include <cstdio>
#include <set>
#include <tuple>

namespace vespera {
namespace {

// The frame the page draws around a window (vespera.css), counted in its width.
constexpr int kWindowFrame = 2;

std::string colour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  return text;
}

std::string px(int pixels) { return std::to_string(pixels) + "px"; }

std::string quoted(std::string_view family) { return '"' + std::string(family) + '"'; }

// A free font the page ships, in one weight.
struct WebFace {
  std::string_view family;
  bool bold;
  friend bool operator<(const WebFace& a, const WebFace& b) {
    return std::tie(a.family, a.bold) < std::tie(b.family, b.bold);
  }
  std::string name() const { return "Vespera " + std::string(family); }
  std::string file() const {
    std::string stem;
    for (const char c : family) stem += c == ' ' ? '-' : static_cast<char>(std::tolower(c));
    return stem + (bold ? "-bold" : "-regular") + ".woff2";
  }
};

std::optional<WebFace> webFaceOf(const FontChoice& font) {
  const auto substitutes = substitutesOf(font.family);
  if (substitutes.empty()) return std::nullopt;
  return WebFace{substitutes.front(), font.bold};
}

// The desktop's font if the machine has it, then its free substitutes as installed, then
// the first of them as the page ships it.
std::string fontCss(const FontChoice& font) {
  std::string css = std::string("font:") + (font.bold ? "bold " : "");
  char size[16];
  std::snprintf(size, sizeof size, "%gpt ", font.points);
  css += size + quoted(font.family);
  for (const std::string_view substitute : substitutesOf(font.family))
    css += ',' + quoted(substitute);
  if (const auto face = webFaceOf(font)) css += ',' + quoted(face->name());
  return css;
}

std::string itemCss(const PageItem& item) {
  std::string css = '#' + item.control + "{left:" + px(item.rect.left) +
                    ";top:" + px(item.rect.top) + ";width:" + px(item.rect.width) +
                    ";height:" + px(item.rect.height);
  if (item.font) css += ';' + fontCss(*item.font);
  if (item.face) {
    css += ";background:" + colour(*item.face) + ";color:" + colour(textColourOn(*item.face));
  }
  return css + "}\n";
}

// A window of fixed size: drawn at 1:1 where the viewport is wide enough, scaled down to its
// width where it is not (the script keeps --vw at the viewport's width in pixels).
std::string windowCss(std::string_view control, const Twips& client) {
  const PixelRect area = pixelRect(client);
  const std::string width = std::to_string(area.width + (2 * kWindowFrame));
  return '#' + std::string(control) + "{width:" + width + "px;zoom:min(1,calc(var(--vw,1e6)/" +
         width + "))}\n#" + std::string(control) + ">.client{width:" + px(area.width) +
         ";height:" + px(area.height) + "}\n";
}

std::set<WebFace> webFaces() {
  std::set<WebFace> faces;
  for (const PageItem& item : mainWindowItems()) {
    if (item.font) {
      if (const auto face = webFaceOf(*item.font)) faces.insert(*face);
    }
  }
  if (const auto face = webFaceOf(kManualFont)) faces.insert(*face);
  return faces;
}

}  // namespace

std::string layoutCss() {
  std::string css;
  for (const WebFace& face : webFaces()) {
    css += "@font-face{font-family:" + quoted(face.name()) + ";src:url(fonts/" + face.file() +
           ") format(\"woff2\");font-weight:" + (face.bold ? "700" : "400") +
           ";font-display:swap}\n";
  }
  css += windowCss(kFormControl, kClientArea);
  css += windowCss(kManualControl, kManualPlace);
  css += windowCss(kAboutControl, kAboutClientArea);
  for (const PageItem& item : mainWindowItems()) css += itemCss(item);
  for (const PageItem& item : aboutBoxItems()) css += itemCss(item);
  const std::string manualLabel =
      std::string(kManualControl) + '-' + std::string(kManualLabelControl);
  css += itemCss({-1, manualLabel, pixelRect(kManualLabelRect), kManualFont, std::nullopt, {}});
  return css;
}

std::string webFontList() {
  std::string list;
  for (const WebFace& face : webFaces()) {
    list += face.file() + '\t' + std::string(face.family) +
            (face.bold ? ":weight=200\n" : ":weight=80\n");
  }
  return list;
}

}  // namespace vespera
