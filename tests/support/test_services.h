#pragma once

#include "platform/memory_registry.h"
#include "ui/window_services.h"

#include <QDir>
#include <QStringList>

namespace vespera {

// A launcher that starts nothing and remembers what it was asked to start.
class RecordingLauncher : public Launcher {
 public:
  void start(const QString& programPath) override { started.append(programPath); }
  QStringList started;
};

// The main window's outside world for tests: printing goes into a PDF file,
// the registry is empty until a test fills it, launches are only recorded.
struct TestServices {
  explicit TestServices(const QString& pdfPath = QDir::temp().filePath(
                            QStringLiteral("vespera-test-print.pdf")))
      : printer(pdfPath) {}

  WindowServices services() { return {printer, registry, launcher}; }

  PdfFilePrinter printer;
  MemoryRegistry registry;
  RecordingLauncher launcher;
};

}  // namespace vespera
