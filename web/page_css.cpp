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

// An element's place and font in its window.
std::string placeCss(const PageItem& item) {
  std::string css = '#' + item.control + "{left:" + px(item.rect.left) +
                    ";top:" + px(item.rect.top) + ";width:" + px(item.rect.width) +
                    ";height:" + px(item.rect.height);
  if (item.font) css += ';' + fontCss(*item.font);
  return css + "}\n";
}

// An element's own colours, in either layout.
std::string colourCss(const PageItem& item) {
  if (!item.face) return {};
  return '#' + item.control + "{background:" + colour(*item.face) +
         ";color:" + colour(textColourOn(*item.face)) + "}\n";
}

std::string itemCss(const PageItem& item) { return placeCss(item) + colourCss(item); }

int windowWidth(const Twips& client) { return pixelRect(client).width + (2 * kWindowFrame); }

// A window of fixed size, always drawn at 1:1: browser zoom enlarges it as it does any page.
std::string windowCss(std::string_view control, const Twips& client) {
  const PixelRect area = pixelRect(client);
  return '#' + std::string(control) + "{width:" + px(windowWidth(client)) + "}\n#" +
         std::string(control) + ">.client{width:" + px(area.width) + ";height:" + px(area.height) +
         "}\n";
}

// Narrower than the window, the same controls in one column, in the page's order (tab order,
// each heading before its box): presets four to a row, every target a finger's size, text
// boxes at 16 px so that a phone does not zoom into them, no line drawn across the window.
constexpr std::string_view kColumnCss =
    "main.window{border-width:0 0 2px}"
    "#Form1>.client{display:grid;grid-template-columns:repeat(4,minmax(0,1fr));gap:6px;"
    "padding:8px;font:14px system-ui,sans-serif}"
    "#Form1>.client>*{position:static;grid-column:1/-1;min-width:0;overflow-wrap:anywhere}"
    "#Form1 .preset{grid-column:auto;min-height:44px;font-size:14px}"
    "#Form1 .button{min-height:44px;font-size:16px;padding:4px}"
    "#Form1 .box{min-height:44px;font-size:16px}"
    "#Form1 .label{background:none;font-size:14px;margin-top:6px}"
    "#Form1 .lines{display:none}"
    "#Form1 .panel{background:none;border-top:2px groove #8888;padding-top:4px;margin-top:12px}"
    "#Form1 .panel::before{content:none}"
    "#Form1 .caption{position:static;font:bold 16px system-ui,sans-serif}"
    ".menubar{height:auto}.menubar button{min-height:44px;font-size:16px}"
    ".titlebar{height:auto;min-height:44px}.titlebar .close{width:44px;height:44px}"
    "#Dialog>.client,#Dialog>.client>*{position:static;width:auto;height:auto;padding:8px;"
    "font-size:16px}";

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
  // The window as it is where the viewport holds it, and on paper; the column below; chosen
  // before the first paint, by the browser alone.
  const std::string width = std::to_string(windowWidth(kClientArea));
  css += "@media print,(min-width:" + width + "px){\n" + windowCss(kFormControl, kClientArea) +
         windowCss(kManualControl, kManualPlace);
  for (const PageItem& item : mainWindowItems()) css += placeCss(item);
  const std::string manualLabel =
      std::string(kManualControl) + '-' + std::string(kManualLabelControl);
  css += placeCss({-1, manualLabel, pixelRect(kManualLabelRect), kManualFont, std::nullopt, {}});
  css += "}\n@media screen and (max-width:" + std::to_string(windowWidth(kClientArea) - 1) +
         ".98px){" + std::string(kColumnCss) + "}\n";
  for (const PageItem& item : mainWindowItems()) css += colourCss(item);
  css += windowCss(kAboutControl, kAboutClientArea);
  for (const PageItem& item : aboutBoxItems()) css += itemCss(item);
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
