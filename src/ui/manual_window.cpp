#include "ui/manual_window.h"

#include "form/manual_layout.h"
#include "ui/app_icon.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace vespera {

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(qText(kManualControl));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(qText(kManualTitle));
  setWindowIcon(applicationIcon());
  // A fixed dialog frame with a close box only: no minimise, no maximise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Where the client area was designed to stand on the screen, and its size.
  setGeometry(pixelRect(kManualPlace));
  setFixedSize(pixelRect(kManualPlace).size());
  keepCloseBoxReachable();

  auto* label = new QLabel(this);
  label->setObjectName(qText(kManualLabelControl));
  label->setGeometry(pixelRect(kManualLabelRect));
  QFont font(qText(kManualFont.family));
  font.setPointSizeF(kManualFont.points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  // No scroll bar: what does not fit is cut off at the label's bottom edge.
  label->setText(qText(kManualText));
}

void ManualWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) QDialog::keyPressEvent(event);
}

// On a screen too small for the fixed size, the window moves up and left as far as needed,
// keeping its title bar and close box on the screen; what does not fit is cut off below and
// on the left.
void ManualWindow::keepCloseBoxReachable() {
  constexpr int kBorder = 8;     // room for the frame around the client area
  constexpr int kTitleBar = 32;  // and for the title bar above it
  const QRect room = screen()->availableGeometry().adjusted(kBorder, kTitleBar, -kBorder, -kBorder);
  QRect client = geometry();
  if (room.contains(client)) return;
  client.moveRight(std::min(client.right(), room.right()));
  if (client.width() <= room.width()) client.moveLeft(std::max(client.left(), room.left()));
  client.moveTop(std::max(std::min(client.top(), room.bottom() + 1 - client.height()), room.top()));
  setGeometry(client);
}

}  // namespace vespera
