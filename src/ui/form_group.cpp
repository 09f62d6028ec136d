// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form_group.h"

#include <qdrawutil.h>
#include <QPainter>

namespace vespera {

void FormGroup::paintEvent(QPaintEvent* /*event*/) {
  constexpr int kCaptionIndent = 8;
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The frame's top edge runs through the middle of the caption.
  const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
  qDrawShadeRect(&painter, frame, QPalette(palette().color(QPalette::Window)), true);
  const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2, metrics.height());
  painter.fillRect(caption, palette().window());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace vespera
