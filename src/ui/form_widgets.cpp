#include "ui/form_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "ui/wrapping_button.h"

namespace vespera {
namespace {

void place(QWidget* widget, const char* name, const Twips& rect) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(rect.toPixels());
}

void paintRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// The two arrow pictures of the angle converters: black on light grey,
// pointing up and to the right, or up and to the left.
QIcon arrowIcon(bool pointsRight) {
  QPixmap picture(20, 20);
  picture.fill(kButtonGrey);
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

void applyFont(QWidget* widget, const FontSpec& wanted) {
  // A control without a font of its own shows the window's font, set on it
  // explicitly: inside a group it would otherwise inherit the bold title font.
  const FontSpec& spec = wanted.family ? wanted : kWindowFont;
  QFont font(QString::fromUtf8(spec.family));
  font.setPointSizeF(spec.points);
  font.setBold(spec.bold);
  widget->setFont(font);
}

QLineEdit* makeFieldBox(const FieldSpec& spec, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setGeometry(spec.rect.toPixels());
  box->setObjectName(fieldName(spec.field));
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  box->setMaxLength(std::numeric_limits<int>::max());  // any text of any length
  applyFont(box, spec.font);
  if (spec.role != BoxRole::SystemBackground) paintRole(box, QPalette::Base, boxColour(spec.role));
  return box;
}

QLabel* makeLabel(const LabelSpec& spec, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(spec.caption), parent);
  place(label, spec.name, spec.rect);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | (spec.centred ? Qt::AlignHCenter : Qt::AlignLeft));
  label->setAutoFillBackground(true);  // opaque, in the button face colour
  label->setTextFormat(Qt::PlainText);
  applyFont(label, spec.font);
  return label;
}

QGroupBox* makeGroup(const FrameSpec& spec, QWidget* parent) {
  auto* group = new QGroupBox(QString::fromUtf8(spec.caption), parent);
  place(group, spec.name, spec.rect);
  applyFont(group, {kWindowFont.family, kWindowFont.points, true});
  if (spec.greyBackground) {
    paintRole(group, QPalette::Window, kButtonGrey);
    group->setAutoFillBackground(true);
  }
  return group;
}

QPushButton* makeButton(const ButtonSpec& spec, QWidget* parent) {
  auto* button = new WrappingButton(QString::fromUtf8(spec.caption), parent);
  place(button, spec.name, spec.rect);
  button->setAutoDefault(false);
  applyFont(button, spec.font);
  if (spec.look == ButtonLook::Grey) paintRole(button, QPalette::Button, kButtonGrey);
  if (spec.look == ButtonLook::Picture) {
    button->setIcon(arrowIcon(QByteArrayView(spec.name) == "Command108"));
    button->setIconSize(QSize(20, 20));
  }
  return button;
}

QPushButton* makeColouredButton(const QString& name, const QString& caption, const Twips& rect,
                                const FontSpec& font, const QColor& colour, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(rect.toPixels());
  button->setAutoDefault(false);
  applyFont(button, font);
  paintRole(button, QPalette::Button, colour);
  return button;
}

}  // namespace vespera
