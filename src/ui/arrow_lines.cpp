// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/arrow_lines.h"

#include "form/form_layout.h"
#include "ui/twips.h"

#include <QPainter>

namespace vespera {

ArrowLines::ArrowLines(const QRect& clientArea, QWidget* canvas) : QWidget(canvas) {
  setObjectName(QStringLiteral("Form1Lines"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(clientArea);
}

void ArrowLines::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  for (const LineRow& line : formLines()) {
    painter.drawLine(QPoint(pixels(line.from.x), pixels(line.from.y)),
                     QPoint(pixels(line.to.x), pixels(line.to.y)));
  }
}

}  // namespace vespera
