// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/recording_runtime.h"
#include "files/file_replacement.h"
#include "form/form_layout.h"
#include "platform/memory_registry.h"
#include "platform/printer.h"
#include "ui/main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace vespera {

// The core's UTF-8 texts as Qt's, for comparing with what the widgets show.
inline QString qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QStringList qs(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << qs(text);
  return list;
}

// A launcher that starts nothing and remembers what it was asked to start, or refuses
// like a program that cannot run.
class RecordingLauncher : public Launcher {
 public:
  void start(const QString& programPath) override {
    if (refuses) throw RuntimeError("Errore di run-time: impossibile avviare");
    started.append(programPath);
  }
  QStringList started;
  bool refuses = false;
};

// The main window as a user meets it, on the offscreen platform: typing goes
// into the real text boxes, clicks onto the real buttons. Its message boxes
// are recorded instead of shown, its files are written on disk as the program writes them,
// it prints into a PDF file in its own folder, its registry is empty and its launcher only
// records.
struct TestWindow {
  explicit TestWindow(QChar decimalSeparator = QLatin1Char('.'))
      : runtime(QString(decimalSeparator).toStdString(), writeRecordFile),
        printer(folder.filePath(QStringLiteral("printed.pdf"))),
        window(runtime, {.printer = &printer, .registry = &registry, .launcher = &launcher}) {
    window.show();
  }

  QLineEdit* box(Field field) { return window.findChild<QLineEdit*>(qs(controlOf(field))); }
  QPushButton* button(const QString& name) { return window.findChild<QPushButton*>(name); }

  void type(Field field, const QString& text) {
    box(field)->clear();
    for (QChar typed : text) {
      QTest::sendKeyEvent(QTest::Click, box(field), Qt::Key_unknown, QString(typed),
                          Qt::NoModifier);
    }
  }
  // A name ending in "+" is pressed with Enter, as a keyboard user does once Tab reached it.
  void press(QString name) {
    const bool byEnter = name.endsWith(u'+');
    QPushButton* pressed = button(name.remove(u'+'));
    QVERIFY2(pressed, qPrintable(name));
    byEnter ? QTest::keyClick(pressed, Qt::Key_Return) : QTest::mouseClick(pressed, Qt::LeftButton);
  }

  QTemporaryDir folder;
  RecordingRuntime runtime;
  PdfFilePrinter printer;
  MemoryRegistry registry;
  RecordingLauncher launcher;
  MainWindow window;
};

}  // namespace vespera
