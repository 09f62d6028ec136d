#include "ui/arrow_lines.h"

#include "ui/form1_layout.h"

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
  for (const LineRow& line : form1Lines()) {
    painter.drawLine(line.from / 15, line.to / 15);
  }
}

}  // namespace vespera
