#include "ui/readable_colours.h"

#include "ui/twips.h"

#include <QWidget>

namespace vespera {
namespace {

Rgb toRgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  return vespera::contrastRatio(toRgb(a), toRgb(b));
}

QColor textColourOn(const QColor& background) {
  return toQColor(vespera::textColourOn(toRgb(background)));
}

void paintOwnColour(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text,
                    const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(background, colour);
  palette.setColor(text, textColourOn(colour));
  widget->setPalette(palette);
}

void keepSelectionReadable(QWidget* box) {
  QPalette palette = box->palette();
  const QColor highlight = palette.color(QPalette::Highlight);
  if (contrastRatio(palette.color(QPalette::HighlightedText), highlight) >= kReadableContrast) {
    return;
  }
  palette.setColor(QPalette::HighlightedText, textColourOn(highlight));
  box->setPalette(palette);
}

}  // namespace vespera
