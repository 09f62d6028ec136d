// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_markup.h"

namespace vespera {

std::string escapeHtml(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '&': html += "&amp;"; break;
      case '"': html += "&quot;"; break;
      default: html += c;
    }
  }
  return html;
}

std::string attribute(std::string_view name, std::string_view value) {
  return ' ' + std::string(name) + "=\"" + escapeHtml(value) + '"';
}

AccessCaption accessCaption(std::string_view caption) {
  AccessCaption shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const bool marks = caption[i] == '&' && i + 1 < caption.size();
    if (marks && caption[i + 1] != '&' && !shown.key) {
      const char letter = caption[++i];
      shown.key = static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter - 'A' + 'a' : letter);
      shown.html += "<u>" + escapeHtml(std::string_view(&caption[i], 1)) + "</u>";
      continue;
    }
    if (marks) ++i;  // "&&" is one '&'
    shown.html += escapeHtml(caption.substr(i, 1));
  }
  return shown;
}

PixelRect pixelRect(const Twips& rect, TwipsPoint origin) {
  return {pixels(origin.x) + pixels(rect.left), pixels(origin.y) + pixels(rect.top),
          pixels(rect.width), pixels(rect.height)};
}

}  // namespace vespera
