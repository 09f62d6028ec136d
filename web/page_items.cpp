// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/field_store.h"
#include "form/about_layout.h"
#include "form/preset_buttons.h"
#include "web/page_assets.h"
#include "web/page_markup.h"

#include <algorithm>
#include <cstddef>

namespace vespera {
namespace {

TwipsPoint originOf(Parent parent) {
  for (const PanelRow& row : formPanels()) {
    if (row.panel == parent) return {row.rect.left, row.rect.top};
  }
  return {0, 0};
}

const FieldRow* fieldHeadedBy(Caption caption) {
  for (const FieldRow& row : formFields()) {
    if (row.heading == caption) return &row;
  }
  return nullptr;
}

std::ptrdiff_t positionOf(const std::vector<PageItem>& page, std::string_view control) {
  std::ptrdiff_t at = 0;
  while (page[static_cast<std::size_t>(at)].control != control) ++at;
  return at;
}

FontChoice ownOrWindowFont(const FontChoice& font) { return font.family ? font : kWindowFont; }

// The two arrow pictures of the angle converters, pointing up and to the right or left.
std::string arrowPicture(bool pointsRight) {
  const std::string_view path =
      pointsRight ? "M4 16L16 4M16 4H9M16 4V11" : "M16 16L4 4M4 4H11M4 4V11";
  return R"(<svg class="arrow" viewBox="0 0 20 20" aria-hidden="true"><path d=")" +
         std::string(path) + R"("/></svg>)";
}

PageItem fieldItem(const FieldRow& row) {
  std::string html = "<input" + attribute("id", row.control) +
                     R"( class="box" type="text" autocomplete="off" spellcheck="false")"
                     R"( autocapitalize="off")";
  // A box is named after the heading above it, unless the heading alone would not tell it
  // from another box; the file-name box has none.
  if (!row.heading) html += attribute("aria-label", kFileNameSpokenName);
  if (row.spokenName) html += attribute("aria-label", row.spokenName);
  // What a fresh window shows in it.
  const std::string fresh = MemoryFieldStore().text(row.field);
  if (!fresh.empty()) html += attribute("value", fresh);
  return {row.tabIndex,
          row.control,
          pixelRect(row.rect, originOf(row.parent)),
          ownOrWindowFont(row.font),
          boxColour(row.role),
          html + '>'};
}

PageItem labelItem(const LabelRow& row) {
  const FieldRow* field = fieldHeadedBy(row.caption);
  const std::string tag = field ? "label" : "div";
  std::string html = '<' + tag + attribute("id", row.control) +
                     attribute("class", row.centred ? "label centred" : "label");
  if (field) html += attribute("for", field->control);
  html += '>' + escapeHtml(row.text) + "</" + tag + '>';
  return {row.tabIndex,
          row.control,
          pixelRect(row.rect, originOf(row.parent)),
          ownOrWindowFont(row.font),
          std::nullopt,
          html};
}

PageItem buttonItem(const ButtonRow& row) {
  const bool arrow = row.look == ButtonLook::ArrowUpRight || row.look == ButtonLook::ArrowUpLeft;
  std::string html = "<button" + attribute("id", row.control) + R"( type="button" data-press)" +
                     attribute("class", row.look == ButtonLook::Grey ? "button own" : "button");
  if (row.spokenName) html += attribute("aria-label", row.spokenName);
  html +=
      '>' + (arrow ? arrowPicture(row.look == ButtonLook::ArrowUpRight) : escapeHtml(row.caption));
  std::optional<Rgb> face;
  if (row.look == ButtonLook::Grey) face = kButtonGrey;
  return {row.tabIndex,
          row.control,
          pixelRect(row.rect, originOf(row.parent)),
          ownOrWindowFont(row.font),
          face,
          html + "</button>"};
}

PageItem presetItem(const PresetButton& preset) {
  const std::string html = "<button" + attribute("id", preset.control) +
                           R"( type="button" class="button own preset" data-press)" +
                           attribute("aria-label", preset.spokenName) + '>' +
                           escapeHtml(preset.caption) + "</button>";
  return {preset.tabIndex, preset.control, pixelRect(preset.rect),
          kPresetFont,     preset.colour,  html};
}

// A panel groups its controls for a screen reader, as a group box does; the controls stand
// beside it in the page, in tab order.
PageItem panelItem(const PanelRow& row, const std::vector<std::pair<Parent, PageItem>>& items) {
  std::string owned;
  for (const auto& [parent, item] : items) {
    if (parent != row.panel) continue;
    owned += (owned.empty() ? "" : " ") + item.control;
  }
  const std::string caption = std::string(row.control) + "-caption";
  std::string html = "<div" + attribute("id", row.control) + R"( class="panel" role="group")" +
                     attribute("aria-labelledby", caption) + attribute("aria-owns", owned) +
                     "><span" + attribute("id", caption) + R"( class="caption">)" +
                     escapeHtml(row.text) + "</span></div>";
  std::optional<Rgb> face;
  if (row.greyBackground) face = kButtonGrey;
  return {row.tabIndex,
          row.control,
          pixelRect(row.rect),
          FontChoice{kWindowFont.family, kWindowFont.points, true},
          face,
          html};
}

PageItem aboutLine(const AboutLine& line) {
  const int left = pixels(line.fromX);
  // Two elements of one control array: the id names the element, the data its control.
  const std::string id = std::string(kAboutControl) + "-Line1-" + std::to_string(line.index);
  return {-1,
          id,
          {left, pixels(line.y), pixels(line.toX) - left, line.thickness},
          std::nullopt,
          line.colour,
          "<div" + attribute("id", id) + R"( class="line" data-control="Line1" data-index=")" +
              std::to_string(line.index) + R"(" aria-hidden="true"></div>)"};
}

PageItem aboutLabel(const AboutLabel& label, std::string_view text) {
  return {-1,
          std::string(label.control),
          pixelRect(label.rect),
          std::nullopt,
          std::nullopt,
          "<p" + attribute("id", label.control) + R"( class="label">)" + escapeHtml(text) + "</p>"};
}

PageItem aboutButton(const AboutButton& button) {
  const AccessCaption caption = accessCaption(button.caption);
  std::string html =
      "<button" + attribute("id", button.control) + R"( type="button" class="button")";
  // OK closes the box, and Esc presses it; System Info goes to the calculator.
  html += button.control == kAboutOkButton.control ? " data-closes data-default" : " data-press";
  if (caption.key) html += attribute("accesskey", std::string(1, *caption.key));
  return {-1,
          std::string(button.control),
          pixelRect(button.rect),
          std::nullopt,
          std::nullopt,
          html + '>' + caption.html + "</button>"};
}

}  // namespace

std::vector<PageItem> mainWindowItems() {
  std::vector<std::pair<Parent, PageItem>> items;
  for (const LabelRow& row : formLabels()) items.emplace_back(row.parent, labelItem(row));
  for (const FieldRow& row : formFields()) items.emplace_back(row.parent, fieldItem(row));
  for (const ButtonRow& row : formButtons()) items.emplace_back(row.parent, buttonItem(row));
  for (const PresetButton& preset : presetButtons()) {
    items.emplace_back(Parent::Window, presetItem(preset));
  }
  // NOLINTNEXTLINE(modernize-use-ranges): no range algorithms in Debian 12's emscripten
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return a.second.tabIndex < b.second.tabIndex;
  });
  std::vector<PageItem> page;
  for (const PanelRow& row : formPanels()) page.push_back(panelItem(row, items));
  for (auto& [parent, item] : items) page.push_back(std::move(item));
  // NOLINTNEXTLINE(modernize-use-ranges): no range algorithms in Debian 12's emscripten
  std::stable_sort(page.begin(), page.end(),
                   [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
  // Each heading just before its box, where a screen reader reads it and the column shows it;
  // a heading takes no focus, so the tab order stays the window's.
  for (const LabelRow& row : formLabels()) {
    const FieldRow* field = fieldHeadedBy(row.caption);
    if (!field) continue;
    const auto heading = page.begin() + positionOf(page, row.control);
    PageItem moved = std::move(*heading);
    page.erase(heading);
    page.insert(page.begin() + positionOf(page, field->control), std::move(moved));
  }
  return page;
}

std::vector<PageItem> aboutBoxItems() {
  // The picture takes the size of the icon.
  const std::string size = std::to_string(iconPixels());
  const std::string icon = "<img" + attribute("id", kAboutIconControl) +
                           R"( src="icon.svg" alt="" width=")" + size + R"(" height=")" + size +
                           "\">";
  return {
      {-1,
       std::string(kAboutIconControl),
       {pixels(kAboutIconCorner.x), pixels(kAboutIconCorner.y), iconPixels(), iconPixels()},
       std::nullopt,
       std::nullopt,
       icon},
      aboutButton(kAboutOkButton),
      aboutButton(kAboutSystemInfoButton),
      aboutLine(kAboutGreyLine),
      aboutLabel(kAboutDescriptionLabel, kAboutDescription),
      aboutLabel(kAboutTitleLabel, kApplicationTitle),
      aboutLine(kAboutWhiteLine),
      aboutLabel(kAboutVersionLabel, aboutVersion()),
  };
}

}  // namespace vespera
