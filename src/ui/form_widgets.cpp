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

namespace vespera {
namespace {

void place(QWidget* widget, const char* name, const Twips& rect) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(rect.toPixels());
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
  box->setGeometry(row.rect.toPixels());
  box->setObjectName(fieldName(row.field));
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  box->setStyle(sunkenBoxStyle());
  box->setMaxLength(std::numeric_limits<int>::max());  // any text of any length
  applyFont(box, row.font);
  keepOwnColours(box, [colour = boxColour(row.role)](QPalette& palette) {
    if (colour.isValid()) layOwnColour(palette, QPalette::Base, QPalette::Text, colour);
    laySelectionReadable(palette);
  });
  return box;
}

QLabel* makeLabel(const LabelRow& row, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
  place(label, row.name, row.rect);
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

QGroupBox* makeGroup(const FrameRow& row, QWidget* parent) {
  auto* group = new FormGroup(QString::fromUtf8(row.caption), parent);
  place(group, row.name, row.rect);
  applyFont(group, {kWindowFont.family, kWindowFont.points, true});
  if (row.greyBackground) {
    keepOwnColours(group, [](QPalette& palette) {
      layOwnColour(palette, QPalette::Window, QPalette::WindowText, kButtonGrey);
    });
    group->setAutoFillBackground(true);
  }
  return group;
}

QPushButton* makeButton(const ButtonRow& row, QWidget* parent) {
  auto* button = new FormButton(QString::fromUtf8(row.caption), parent);
  place(button, row.name, row.rect);
  button->setAutoDefault(true);  // Enter presses the focused button, as Space does
  applyFont(button, row.font);
  if (row.look == ButtonLook::Grey) button->setOwnColour(kButtonGrey);
  if (row.look == ButtonLook::Picture) {
    button->setIcon(arrowIcon(QByteArrayView(row.name) == "Command108"));
    button->setIconSize(QSize(20, 20));
  }
  return button;
}

QPushButton* makeColouredButton(const QString& name, const QString& caption, const Twips& rect,
                                const FontChoice& font, const QColor& colour, QWidget* parent) {
  auto* button = new FormButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(rect.toPixels());
  button->setAutoDefault(true);  // Enter presses the focused button, as Space does
  applyFont(button, font);
  button->setOwnColour(colour);
  return button;
}

}  // namespace vespera
