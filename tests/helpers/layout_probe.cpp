// Shows the main window and prints, one line a control, where it stands and
// whether its caption fits, with the window's size in device pixels first.
// test_high_dpi runs it at two scale factors and compares.
#include "core/recording_runtime.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "support/test_services.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

namespace {

// Whether a caption, wrapped at word boundaries, stays inside the rectangle.
bool fits(const QWidget* widget, const QString& text, int horizontalMargin) {
  const QRect area = widget->rect().adjusted(horizontalMargin, 0, -horizontalMargin, 0);
  const QRect needed =
      widget->fontMetrics().boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft, text);
  return needed.width() <= area.width() && needed.height() <= area.height();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  vespera::installFontSubstitutes();
  vespera::RecordingRuntime runtime;
  vespera::TestServices services;
  vespera::MainWindow window(runtime, services.services());
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  QTextStream out(stdout);
  const QPixmap image = window.grab();
  out << "window " << image.width() << ' ' << image.height() << ' '
      << image.devicePixelRatio() << '\n';
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    QString text;
    int margin = 0;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      text = label->text();
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      text = button->text();
      margin = 3;
    } else if (!qobject_cast<QLineEdit*>(widget) && !qobject_cast<QGroupBox*>(widget)) {
      continue;
    }
    const QRect place(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    out << widget->objectName() << ' ' << place.x() << ' ' << place.y() << ' ' << place.width()
        << ' ' << place.height() << ' ' << (text.isEmpty() || fits(widget, text, margin))
        << '\n';
  }
  return 0;
}
