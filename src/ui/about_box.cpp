#include "ui/about_box.h"

#include "core/app_identity.h"
#include "form/about_layout.h"
#include "platform/system_info.h"
#include "ui/app_icon.h"
#include "ui/readable_colours.h"
#include "ui/twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace vespera {

namespace {

QLabel* makeLabel(QWidget* parent, const AboutLabel& row) {
  auto* label = new QLabel(parent);
  label->setObjectName(qText(row.control));
  label->setGeometry(pixelRect(row.rect));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

// Black text, unless the desktop's background is too dark for black.
void setBlackText(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, textColourOn(palette.color(QPalette::Window)));
  widget->setPalette(palette);
}

// One element of the Line1 pair: a horizontal line, in one colour.
QFrame* makeLine(QWidget* parent, const AboutLine& row) {
  auto* line = new QFrame(parent);
  line->setObjectName(QStringLiteral("Line1"));
  line->setProperty("index", row.index);
  line->setFrameShape(QFrame::NoFrame);
  line->setGeometry(pixels(row.fromX), pixels(row.y), pixels(row.toX) - pixels(row.fromX),
                    row.thickness);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, toQColor(row.colour));
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

}  // namespace

AboutBox::AboutBox(Registry& registry, Launcher& launcher, Runtime& runtime, QWidget* parent)
    : QDialog(parent), registry_(registry), launcher_(launcher), runtime_(runtime) {
  setObjectName(qText(kAboutControl));
  setAttribute(Qt::WA_DeleteOnClose);
  // A fixed dialog frame with a close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(pixelRect(kAboutClientArea).size());
  buildControls();
  Form_Load();
}

// Controls from back to front: each new widget is drawn over those made before it.
void AboutBox::buildControls() {
  const QPixmap icon = applicationIconPixmap();
  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(qText(kAboutIconControl));
  picIcon->setPixmap(icon);
  // The picture box takes the size of its picture.
  picIcon->setGeometry(
      QRect(QPoint(pixels(kAboutIconCorner.x), pixels(kAboutIconCorner.y)), icon.size()));

  cmdOK_ = new QPushButton(qText(kAboutOkButton.caption), this);
  cmdOK_->setObjectName(qText(kAboutOkButton.control));
  cmdOK_->setGeometry(pixelRect(kAboutOkButton.rect));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);

  cmdSysInfo_ = new QPushButton(qText(kAboutSystemInfoButton.caption), this);
  cmdSysInfo_->setObjectName(qText(kAboutSystemInfoButton.control));
  cmdSysInfo_->setGeometry(pixelRect(kAboutSystemInfoButton.rect));
  connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);

  // The etched separator: a grey line with a white one just below and in front of it.
  makeLine(this, kAboutGreyLine);

  QLabel* lblDescription = makeLabel(this, kAboutDescriptionLabel);
  lblDescription->setText(qText(kAboutDescription));
  setBlackText(lblDescription);

  lblTitle_ = makeLabel(this, kAboutTitleLabel);
  setBlackText(lblTitle_);

  makeLine(this, kAboutWhiteLine);

  lblVersion_ = makeLabel(this, kAboutVersionLabel);

  // Tab order: OK, then System Info (the picture and the labels take no focus).
  setTabOrder(cmdOK_, cmdSysInfo_);
  cmdOK_->setFocus();
}

void AboutBox::Form_Load() {
  setWindowTitle(qText(aboutTitle()));
  lblVersion_->setText(qText(aboutVersion()));
  lblTitle_->setText(qText(kApplicationTitle));
}

void AboutBox::cmdOK_Click() { close(); }

void AboutBox::cmdSysInfo_Click() { StartSysInfo(registry_, launcher_, runtime_); }

void AboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    cmdOK_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace vespera
