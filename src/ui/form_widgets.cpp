// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "ui/form_button.h"
#include "ui/form_group.h"
#include "ui/own_colours.h"
#include "ui/sunken_box_style.h"
#include "ui/twips.h"

namespace vespera {
namespace {

void place(QWidget* widget, std::string_view control, const Twips& rect) {
  widget->setObjectName(qText(control));
  widget->setGeometry(pixelRect(rect));
}

// The two arrow pictures of the angle converters, pointing up and to the right, or up and to
// the left: the shape alone, which the button fills with its caption's colour.
QIcon arrowIcon(bool pointsRight) {
  QPixmap picture(20, 20);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 2));
  const QPointF tail = pointsRight ? QPointF(4, 16) : QPointF(16, 16);
  const QPointF tip = pointsRight ? QPointF(16, 4) : QPointF(4, 4);
  const qreal back = pointsRight ? -7 : 7;
  painter.drawLine(tail, tip);
  painter.drawLine(tip, tip + QPointF(back, 0));
  painter.drawLine(tip, tip + QPointF(0, 7));
  return QIcon(picture);
}

}  // namespace

void applyFont(QWidget* widget, const FontChoice& wanted) {
  // A control without a font of its own shows the window's font, set on it
  // explicitly: inside a group it would otherwise inherit the bold title font.
  const FontChoice& choice = wanted.family ? wanted : kWindowFont;
  QFont font(QString::fromUtf8(choice.family));
  font.setPointSizeF(choice.points);
  font.setBold(choice.bold);
  widget->setFont(font);
}

QLineEdit* makeFieldBox(const FieldRow& row, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  place(box, row.control, row.rect);
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  box->setStyle(sunkenBoxStyle());
  box->setMaxLength(std::numeric_limits<int>::max());  // any text of any length
  applyFont(box, row.font);
  keepOwnColours(box, [colour = boxColour(row.role)](QPalette& palette) {
    if (colour) layOwnColour(palette, QPalette::Base, QPalette::Text, toQColor(*colour));
    laySelectionReadable(palette);
  });
  return box;
}

QLabel* makeLabel(const LabelRow& row, QWidget* parent) {
  auto* label = new QLabel(qText(row.text), parent);
  place(label, row.control, row.rect);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | (row.centred ? Qt::AlignHCenter : Qt::AlignLeft));
  // Opaque, in the desktop's button face colour and text, inside the grey group too.
  keepOwnColours(label, [](QPalette& palette) {
    layDesktopColours(palette, {QPalette::Window, QPalette::WindowText});
  });
  label->setAutoFillBackground(true);
  label->setTextFormat(Qt::PlainText);
  applyFont(label, row.font);
  return label;
}

QGroupBox* makeGroup(const PanelRow& row, QWidget* parent) {
  auto* group = new FormGroup(qText(row.text), parent);
  place(group, row.control, row.rect);
  applyFont(group, {kWindowFont.family, kWindowFont.points, true});
  if (row.greyBackground) {
    keepOwnColours(group, [](QPalette& palette) {
      layOwnColour(palette, QPalette::Window, QPalette::WindowText, toQColor(kButtonGrey));
    });
    group->setAutoFillBackground(true);
  }
  return group;
}

QPushButton* makeButton(const ButtonRow& row, QWidget* parent) {
  auto* button = new FormButton(qText(row.caption), parent);
  place(button, row.control, row.rect);
  button->setAutoDefault(true);  // Enter presses the focused button, as Space does
  applyFont(button, row.font);
  if (row.look == ButtonLook::Grey) button->setOwnColour(toQColor(kButtonGrey));
  if (row.look == ButtonLook::ArrowUpRight || row.look == ButtonLook::ArrowUpLeft) {
    button->setIcon(arrowIcon(row.look == ButtonLook::ArrowUpRight));
    button->setIconSize(QSize(20, 20));
  }
  return button;
}

QPushButton* makePresetButton(const PresetButton& preset, QWidget* parent) {
  auto* button = new FormButton(qText(preset.caption), parent);
  place(button, preset.control, preset.rect);
  button->setAutoDefault(true);  // Enter presses the focused button, as Space does
  button->setAccessibleName(qText(preset.spokenName));
  applyFont(button, kPresetFont);
  button->setOwnColour(toQColor(preset.colour));
  return button;
}

}  // namespace vespera
