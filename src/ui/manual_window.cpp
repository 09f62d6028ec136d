#include "ui/manual_window.h"

#include "ui/app_icon.h"
#include "ui/manual_text.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace vespera {

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Dialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Manuale"));
  setWindowIcon(applicationIcon());
  // A fixed dialog frame with a close box only: no minimise, no maximise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Where the client area was designed to stand on the screen, and its size.
  setGeometry(pixels(2760), pixels(3750), pixels(12750), pixels(8715));
  setFixedSize(pixels(12750), pixels(8715));
  keepCloseBoxReachable();

  auto* label = new QLabel(this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setGeometry(pixels(240), pixels(240), pixels(12375), pixels(8295));
  QFont font(QStringLiteral("Comic Sans MS"));
  font.setPointSizeF(14.25);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  // No scroll bar: what does not fit is cut off at the label's bottom edge.
  label->setText(manualText());
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
