// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/caption.h"
#include "core/field.h"
#include "core/handler.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vespera {

// The calculator window as data: every control with its name, caption, place, look and tab
// index, and the field or handler behind it. The desktop window and the web page are both
// built from these tables, and the control names (the objectNames of the widgets, the ids
// of the page's elements) appear nowhere else.
//
// Positions and sizes are in twips (15 to a pixel at 96 dpi), relative to the client area
// or, inside a panel, to the panel's top left corner.
struct Twips {
  int left, top, width, height;
};

struct TwipsPoint {
  int x, y;
};

// The windows are designed in twips, 15 to a pixel at 96 dots per inch. Every position and
// length goes to the nearest pixel, by this one rule, on the desktop and on the web page.
constexpr int pixels(int twips) { return (twips + 7) / 15; }

struct Rgb {
  int red, green, blue;  // 0-255
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// Where a control stands: on the window itself or inside one of the three panels.
enum class Parent : std::uint8_t { Window, AngularPanel, ColourIndexPanel, DistancePanel };

// A font of its own; no family means the window's font.
struct FontChoice {
  const char* family = nullptr;
  double points = 0;
  bool bold = false;
};

// The colour of a text box tells the user its role.
enum class BoxRole : std::uint8_t { DataToEnter, Result, AdditionalInput, SystemBackground };

struct FieldRow {
  const char* control;
  Field field;
  std::optional<Caption> heading;  // the label that names the box on screen
  Parent parent;
  BoxRole role;
  FontChoice font;
  Twips rect;
  int tabIndex;
  const char* spokenName = nullptr;  // for a screen reader, where the heading does not say it all
};

struct LabelRow {
  const char* control;
  Caption caption;
  const char* text;  // UTF-8
  Parent parent;
  Twips rect;
  FontChoice font;
  bool centred;
  int tabIndex;
};

struct PanelRow {
  const char* control;
  Caption caption;
  Parent panel;
  const char* text;
  Twips rect;
  bool greyBackground;
  int tabIndex;
};

// What the window does itself, rather than through a handler on the fields.
enum class WindowCommand : std::uint8_t { None, Exit, Print, OpenManual, OpenAbout };

// A button's or menu item's work: a handler on the fields, or a command of the window.
struct Action {
  // NOLINTNEXTLINE(google-explicit-constructor): table rows name the handler alone
  constexpr Action(Handler function) : handler(function) {}
  // NOLINTNEXTLINE(google-explicit-constructor): table rows name the command alone
  constexpr Action(WindowCommand windowCommand) : command(windowCommand) {}
  Handler handler = nullptr;
  WindowCommand command = WindowCommand::None;
};

// The two arrow buttons of the angular panel carry a picture: an arrow pointing up and to
// the right, or up and to the left.
enum class ButtonLook : std::uint8_t { Standard, Grey, ArrowUpRight, ArrowUpLeft };

struct ButtonRow {
  const char* control;
  const char* caption;
  Parent parent;
  Twips rect;
  FontChoice font;
  ButtonLook look;
  int tabIndex;
  Action action;
  const char* spokenName = nullptr;  // for a screen reader, where the caption does not say it all
};

struct LineRow {
  const char* control;
  TwipsPoint from, to;
};

struct MenuRow {
  const char* menuControl;
  const char* menuCaption;  // '&' marks the access key
  const char* itemControl;
  const char* itemCaption;
  WindowCommand command;
};

inline constexpr std::string_view kFormControl = "Form1";
inline constexpr std::string_view kFormTitle = "VESPERA 3.3";
inline constexpr Twips kClientArea{0, 0, 11715, 6315};
inline constexpr FontChoice kWindowFont{"Times New Roman", 9.75, false};
inline constexpr Rgb kButtonGrey{192, 192, 192};
// What a screen reader says for the file-name box, which has no heading.
inline constexpr std::string_view kFileNameSpokenName = "Percorso del file della misura";

std::span<const FieldRow> formFields();
std::span<const LabelRow> formLabels();
std::span<const PanelRow> formPanels();
std::span<const ButtonRow> formButtons();
std::span<const LineRow> formLines();
std::span<const MenuRow> formMenus();

std::optional<Rgb> boxColour(BoxRole role);  // nothing for the system background

// The control of a field or caption, and the field of a control ("Text3").
std::string_view controlOf(Field field);
std::string_view controlOf(Caption caption);
std::optional<Field> fieldOfControl(std::string_view control);

}  // namespace vespera
