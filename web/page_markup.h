// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vespera {

// A control of a page window in pixels, relative to the window's client area.
struct PixelRect {
  int left, top, width, height;
};

// One element of a window's client area as the page draws it: its markup and its look.
struct PageItem {
  int tabIndex;         // the page's controls stand in tab order, so Tab walks them in it
  std::string control;  // the element's id
  PixelRect rect;
  std::optional<FontChoice> font;  // none: the look of the element's kind
  std::optional<Rgb> face;         // a colour of its own, with the readable text colour on it
  std::string html;
};

// The main window's client area, in tab order, and the About box's, back to front.
std::vector<PageItem> mainWindowItems();
std::vector<PageItem> aboutBoxItems();

// The whole page: the main window, the manual, the About box and the message box.
std::string pageHtml();

// Text for HTML, with <, >, & and quotes as references.
std::string escapeHtml(std::string_view text);

// ` name="value"`, the value escaped.
std::string attribute(std::string_view name, std::string_view value);

// A caption whose '&' marks its access key, as HTML with that letter underlined, and the
// letter in lower case; no letter where the caption has none.
struct AccessCaption {
  std::string html;
  std::optional<char> key;
};
AccessCaption accessCaption(std::string_view caption);

PixelRect pixelRect(const Twips& rect, TwipsPoint origin = {0, 0});

}  // namespace vespera
