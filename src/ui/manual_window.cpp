#include "ui/manual_window.h"

#include "ui/app_icon.h"
#include "ui/manual_text.h"

#include <QLabel>

namespace vespera {

namespace {

// The window is designed in twips; 15 make one pixel at 96 dots per inch.
constexpr int px(int twips) { return twips / 15; }

}  // namespace

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Dialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Manuale"));
  setWindowIcon(applicationIcon());
  // A fixed dialog frame with a close box only: no minimise, no maximise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Where the client area was designed to stand on the screen, and its size.
  setGeometry(px(2760), px(3750), px(12750), px(8715));
  setFixedSize(px(12750), px(8715));

  auto* label = new QLabel(this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setGeometry(px(240), px(240), px(12375), px(8295));
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

}  // namespace vespera
