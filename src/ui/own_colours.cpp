// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/own_colours.h"

#include "ui/readable_colours.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace vespera {
namespace {

// Watches one widget, a child of it so that it goes with it.
class OwnColourKeeper : public QObject {
 public:
  OwnColourKeeper(QWidget* widget, PaletteLayer layer)
      : QObject(widget), widget_(widget), layer_(std::move(layer)) {
    widget->installEventFilter(this);
    lay();
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    const QEvent::Type type = event->type();
    // Laying sets the palette, which reports one more change: that one is ours.
    if ((type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange) && !laying_) {
      lay();
    }
    return false;
  }

 private:
  void lay() {
    laying_ = true;
    QPalette palette = QApplication::palette(widget_);
    layer_(palette);
    widget_->setPalette(palette);
    laying_ = false;
  }

  QWidget* widget_;
  PaletteLayer layer_;
  bool laying_ = false;
};

}  // namespace

void keepOwnColours(QWidget* widget, PaletteLayer layer) {
  new OwnColourKeeper(widget, std::move(layer));
}

void layOwnColour(QPalette& palette, QPalette::ColorRole background, QPalette::ColorRole text,
                  const QColor& colour) {
  palette.setColor(background, colour);
  palette.setColor(text, textColourOn(colour));
}

void layDesktopColours(QPalette& palette, std::initializer_list<QPalette::ColorRole> roles) {
  for (const auto role : roles) {
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      palette.setBrush(group, role, palette.brush(group, role));
    }
  }
}

void laySelectionReadable(QPalette& palette) {
  const QColor highlight = palette.color(QPalette::Highlight);
  if (contrastRatio(palette.color(QPalette::HighlightedText), highlight) < kReadableContrast) {
    palette.setColor(QPalette::HighlightedText, textColourOn(highlight));
  }
}

}  // namespace vespera
