#include "ui/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace vespera {

void WrappingButton::paintEvent(QPaintEvent* event) {
  constexpr int kMargin = 3;
  const QRect textArea = rect().adjusted(kMargin, 0, -kMargin, 0);
  if (text().isEmpty() || fontMetrics().horizontalAdvance(text()) <= textArea.width()) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace vespera
