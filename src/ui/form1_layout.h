#pragma once

#include "core/field.h"
#include "core/handler.h"
#include "ui/twips.h"

#include <QColor>
#include <QPoint>
#include <QRect>

#include <span>

namespace vespera {

// The main window as data: every control with its name, caption, place and
// look. Positions and sizes are in twips (15 to a pixel at 96 dpi), relative
// to the client area or, inside a group, to the group's top left corner.
struct Twips {
  int left, top, width, height;
  QRect toPixels() const { return pixelRect(left, top, width, height); }
};

enum class Parent { Window, Frame1, Frame2, Frame3 };

// A font of its own; an empty family means the window's font.
struct FontChoice {
  const char* family = nullptr;
  double points = 0;
  bool bold = false;
};

// The colour of a text box tells the user its role.
enum class BoxRole { DataToEnter, Result, AdditionalInput, SystemBackground };

struct FieldRow {
  Field field;
  const char* heading;  // the label that names the box on screen, if any
  Parent parent;
  BoxRole role;
  FontChoice font;
  Twips rect;
  int tabIndex;
};

struct LabelRow {
  const char* name;
  const char* caption;  // UTF-8
  Parent parent;
  Twips rect;
  FontChoice font;
  bool centred;
  int tabIndex;
};

struct FrameRow {
  Parent frame;
  const char* name;
  const char* caption;
  Twips rect;
  bool greyBackground;
  int tabIndex;
};

enum class ButtonLook { Standard, Grey, Picture };

struct ButtonRow {
  const char* name;
  const char* caption;
  Parent parent;
  Twips rect;
  FontChoice font;
  ButtonLook look;
  int tabIndex;
  void (*handler)(FieldStore&, Runtime&);  // null where the window itself acts
  const char* spokenName = nullptr;  // for a screen reader, where the caption does not say it all
};

struct LineRow {
  const char* name;
  QPoint from, to;  // twips
};

inline constexpr FontChoice kWindowFont{"Times New Roman", 9.75, false};
inline const QColor kButtonGrey(192, 192, 192);

std::span<const FieldRow> form1Fields();
std::span<const LabelRow> form1Labels();
std::span<const FrameRow> form1Frames();
std::span<const ButtonRow> form1Buttons();
std::span<const LineRow> form1Lines();

QColor boxColour(BoxRole role);  // invalid for the system background

}  // namespace vespera
