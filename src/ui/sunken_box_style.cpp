// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sunken_box_style.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace vespera {
namespace {

class SunkenBoxStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_PanelLineEdit) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    // Grey and white outside, black and the face colour inside, around the box's own colour.
    QPalette edges = option->palette;
    edges.setColor(QPalette::Dark, QColor(128, 128, 128));
    edges.setColor(QPalette::Light, Qt::white);
    edges.setColor(QPalette::Shadow, Qt::black);
    edges.setColor(QPalette::Midlight, QColor(212, 208, 200));
    qDrawWinPanel(painter, option->rect, edges, true, &option->palette.brush(QPalette::Base));
  }
};

}  // namespace

QStyle* sunkenBoxStyle() {
  // One style for every box, owned by the application: a later application (a test makes
  // several) gets a style of its own rather than one deleted with the first.
  const QString name = QStringLiteral("vesperaSunkenBoxStyle");
  auto* style = qApp->findChild<QStyle*>(name, Qt::FindDirectChildrenOnly);
  if (!style) {
    style = new SunkenBoxStyle(QApplication::style()->name());
    style->setObjectName(name);
    style->setParent(qApp);
  }
  return style;
}

}  // namespace vespera
