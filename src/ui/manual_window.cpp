// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/manual_window.h"

#include "form/manual_layout.h"
#include "ui/app_icon.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

namespace vespera {
namespace {

// The client area where it was designed to stand on the screen, and its size.
constexpr QRect kDesignedClientArea = pixelRect(kManualPlace);

}  // namespace

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(qText(kManualControl));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(qText(kManualTitle));
  setWindowIcon(applicationIcon());
  // A fixed dialog frame with a close box only: no minimise, no maximise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  auto* label = new QLabel;
  label->setObjectName(qText(kManualLabelControl));
  QFont font(qText(kManualFont.family));
  font.setPointSizeF(kManualFont.points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setText(qText(kManualText));
  // The label's designed place, 240 twips in from the client area's top left corner, as its
  // margins inside an area that fills the window: the text wraps to the window's width, and a
  // scroll bar shows only where it does not fit in the window's height.
  const QRect designed = pixelRect(kManualLabelRect);
  label->setContentsMargins(designed.left(), designed.top(),
                            kDesignedClientArea.width() - designed.right() - 1,
                            kDesignedClientArea.height() - designed.bottom() - 1);
  auto* area = new QScrollArea(this);
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(true);
  area->setWidget(label);

  fitToScreen();
  area->resize(size());
}

void ManualWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) QDialog::keyPressEvent(event);
}

// On a screen too small for the designed size the window takes the room the screen has, and
// moves up and left as far as needed, keeping its frame, title bar and close box on the
// screen; the text scrolls.
void ManualWindow::fitToScreen() {
  constexpr int kBorder = 8;     // room for the frame around the client area
  constexpr int kTitleBar = 32;  // and for the title bar above it
  const QRect room = screen()->availableGeometry().adjusted(kBorder, kTitleBar, -kBorder, -kBorder);
  QRect client = kDesignedClientArea;
  client.setSize(client.size().boundedTo(room.size()));
  client.moveRight(std::min(client.right(), room.right()));
  client.moveBottom(std::min(client.bottom(), room.bottom()));
  client.moveLeft(std::max(client.left(), room.left()));
  client.moveTop(std::max(client.top(), room.top()));
  setGeometry(client);
  setFixedSize(client.size());
}

}  // namespace vespera
