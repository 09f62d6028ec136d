#include "ui/form_button.h"

#include "ui/readable_colours.h"

#include <qdrawutil.h>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vespera {
namespace {

// The light scheme's 3D edge around a face of any colour: white and black outside,
// the face and dark grey inside.
QPalette raisedEdges(const QColor& face) {
  QPalette edges(face);
  edges.setColor(QPalette::Light, Qt::white);
  edges.setColor(QPalette::Dark, QColor(128, 128, 128));
  edges.setColor(QPalette::Shadow, Qt::black);
  return edges;
}

}  // namespace

void FormButton::setOwnColour(const QColor& colour) {
  paintOwnColour(this, QPalette::Button, QPalette::ButtonText, colour);
  ownColour_ = true;
}

void FormButton::paintEvent(QPaintEvent* event) {
  constexpr int kMargin = 3;
  QRect textArea = rect().adjusted(kMargin, 0, -kMargin, 0);
  const bool wraps =
      !text().isEmpty() && fontMetrics().horizontalAdvance(text()) > textArea.width();
  if (!ownColour_ && !wraps) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  if (ownColour_) {
    paintFlat(painter);
    if (isDown()) textArea.translate(1, 1);
  } else {
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
  }
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
}

void FormButton::paintFlat(QPainter& painter) {
  const QBrush face = palette().brush(QPalette::Button);
  qDrawWinButton(&painter, rect(), raisedEdges(face.color()), isDown(), &face);
  if (hasFocus()) {  // a dotted frame inside the edge, in the caption's colour
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}

}  // namespace vespera
