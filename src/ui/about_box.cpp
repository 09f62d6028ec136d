// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about_box.h"

#include "core/app_identity.h"
#include "form/about_layout.h"
#include "platform/system_info.h"
#include "ui/app_icon.h"
#include "ui/own_colours.h"
#include "ui/readable_colours.h"
#include "ui/twips.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vespera {

namespace {

QLabel* makeLabel(QWidget* parent, const AboutLabel& row) {
  auto* label = new QLabel(parent);
  label->setObjectName(qText(row.control));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

// Black text, unless the desktop's background is too dark for black.
void setBlackText(QWidget* widget) {
  keepOwnColours(widget, [](QPalette& palette) {
    palette.setColor(QPalette::WindowText, textColourOn(palette.color(QPalette::Window)));
  });
}

// Where a line of the Line1 pair lies, `thickness` pixels thick.
QRect lineRect(const AboutLine& row) {
  return {pixels(row.fromX), pixels(row.y), pixels(row.toX) - pixels(row.fromX), row.thickness};
}

// One element of the Line1 pair: a horizontal line in one colour.
QFrame* makeLine(QWidget* parent, const AboutLine& row) {
  auto* line = new QFrame(parent);
  line->setObjectName(QStringLiteral("Line1"));
  line->setProperty("index", row.index);
  line->setFrameShape(QFrame::NoFrame);
  keepOwnColours(line, [colour = toQColor(row.colour)](QPalette& palette) {
    palette.setColor(QPalette::Window, colour);
  });
  line->setAutoFillBackground(true);
  return line;
}

// What a control needs to show its whole text in the current font: a label, the height of
// its wrapped text; a button, the style's size for its caption.
QSize neededSize(const QWidget* control, QSize designed) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    return {designed.width(), std::max(designed.height(), label->heightForWidth(designed.width()))};
  }
  if (qobject_cast<const QPushButton*>(control)) return designed.expandedTo(control->sizeHint());
  return designed;
}

}  // namespace

AboutBox::AboutBox(Registry& registry, Launcher& launcher, Runtime& runtime, QWidget* parent)
    : QDialog(parent), registry_(registry), launcher_(launcher), runtime_(runtime) {
  setObjectName(qText(kAboutControl));
  setAttribute(Qt::WA_DeleteOnClose);
  // A fixed dialog frame with a close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  buildControls();
  Form_Load();
  fitToFont();
}

// Controls from back to front: each new widget is drawn over those made before it.
void AboutBox::buildControls() {
  const QPixmap icon = applicationIconPixmap();
  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(qText(kAboutIconControl));
  picIcon->setPixmap(icon);
  // The picture box takes the size of its picture.
  place(picIcon,
        QRect(QPoint(pixels(kAboutIconCorner.x), pixels(kAboutIconCorner.y)), icon.size()));

  cmdOK_ = new QPushButton(qText(kAboutOkButton.caption), this);
  cmdOK_->setObjectName(qText(kAboutOkButton.control));
  place(cmdOK_, pixelRect(kAboutOkButton.rect));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);

  cmdSysInfo_ = new QPushButton(qText(kAboutSystemInfoButton.caption), this);
  cmdSysInfo_->setObjectName(qText(kAboutSystemInfoButton.control));
  place(cmdSysInfo_, pixelRect(kAboutSystemInfoButton.rect));
  connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);

  // The etched separator: a grey line with a white one just below and in front of it.
  place(makeLine(this, kAboutGreyLine), lineRect(kAboutGreyLine));

  QLabel* lblDescription = makeLabel(this, kAboutDescriptionLabel);
  place(lblDescription, pixelRect(kAboutDescriptionLabel.rect));
  lblDescription->setText(qText(kAboutDescription));
  setBlackText(lblDescription);

  lblTitle_ = makeLabel(this, kAboutTitleLabel);
  place(lblTitle_, pixelRect(kAboutTitleLabel.rect));
  setBlackText(lblTitle_);

  place(makeLine(this, kAboutWhiteLine), lineRect(kAboutWhiteLine));

  lblVersion_ = makeLabel(this, kAboutVersionLabel);
  place(lblVersion_, pixelRect(kAboutVersionLabel.rect));

  // Tab order: OK, then System Info (the picture and the labels take no focus).
  setTabOrder(cmdOK_, cmdSysInfo_);
  cmdOK_->setFocus();
}

void AboutBox::place(QWidget* control, const QRect& designed) {
  control->setGeometry(designed);
  designed_.emplace_back(control, designed);
}

// The box is laid out for the dialog font of its day, and keeps that layout where the texts
// fit. Under a larger font each label grows down to hold its wrapped text and each button
// widens to the left to hold its caption; what lies below moves down as far as what lies
// above it grew, and the box grows with it.
void AboutBox::fitToFont() {
  auto byTop = designed_;
  std::ranges::sort(byTop, {}, [](const auto& entry) { return entry.second.top(); });
  std::vector<std::pair<QRect, int>> placed;  // designed place, and how far its bottom moved
  int grown = 0;
  for (const auto& [control, designed] : byTop) {
    int down = 0;
    for (const auto& [above, moved] : placed) {
      if (above.bottom() < designed.top()) down = std::max(down, moved);
    }
    const QSize needed = neededSize(control, designed.size());
    QRect fitted(designed.topLeft() + QPoint(0, down), needed);
    fitted.moveRight(designed.right());
    control->setGeometry(fitted);
    placed.emplace_back(designed, fitted.bottom() - designed.bottom());
    grown = std::max(grown, fitted.bottom() - designed.bottom());
  }
  const QSize client = pixelRect(kAboutClientArea).size();
  setFixedSize(client.width(), client.height() + grown);
}

void AboutBox::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::FontChange) fitToFont();
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
