// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form_button.h"

#include "ui/own_colours.h"

#include <qdrawutil.h>
#include <QPainter>

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
  keepOwnColours(this, [colour](QPalette& palette) {
    layOwnColour(palette, QPalette::Button, QPalette::ButtonText, colour);
  });
  ownColour_ = true;
}

// A face of the button's own takes the light scheme's edge it was designed with; the desktop's
// face takes the desktop's own edge colours, which suit it on a dark desktop too.
void FormButton::paintEvent(QPaintEvent* /*event*/) {
  constexpr int kMargin = 3;
  QPainter painter(this);
  const QBrush face = palette().brush(QPalette::Button);
  qDrawWinButton(&painter, rect(), ownColour_ ? raisedEdges(face.color()) : palette(), isDown(),
                 &face);
  QRect content = rect().adjusted(kMargin, 0, -kMargin, 0);
  if (isDown()) content.translate(1, 1);
  painter.setPen(palette().color(QPalette::ButtonText));
  if (!icon().isNull()) paintPicture(painter, content);
  painter.drawText(content, Qt::AlignCenter | Qt::TextWordWrap, text());
  if (hasFocus()) {  // a dotted frame inside the edge, in the caption's colour
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}

// The picture's shape, filled with the caption's colour: it reads on the face as the caption does.
void FormButton::paintPicture(QPainter& painter, const QRect& area) const {
  QPixmap picture = icon().pixmap(iconSize(), devicePixelRatio());
  QPainter tint(&picture);
  tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
  tint.fillRect(picture.rect(), palette().color(QPalette::ButtonText));
  tint.end();
  QRect place(QPoint(), iconSize());
  place.moveCenter(area.center());
  painter.drawPixmap(place, picture);
}

}  // namespace vespera
