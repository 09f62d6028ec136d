// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/printer.h"

#include "core/app_identity.h"
#include "core/runtime_error.h"

#include <QPainter>
#include <QPrinter>

#include <utility>

namespace vespera {

namespace {

// A window is drawn at 96 dots per inch on the screen.
constexpr double kScreenDotsPerInch = 96.0;

// The image at the size the window has on the screen, from the top left corner
// of the printable area; shrunk, keeping its proportions, when the page is
// smaller than the window.
void printOnOnePage(QPrinter& printer, const QImage& image) {
  printer.setDocName(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
  QPainter painter;
  if (!painter.begin(&printer)) throw RuntimeError(kPrinterFailedMessage);

  const double dotsPerScreenPixel = printer.resolution() / kScreenDotsPerInch;
  QSizeF size = image.deviceIndependentSize() * dotsPerScreenPixel;
  const QSizeF page = painter.viewport().size();
  if (size.width() > page.width() || size.height() > page.height()) {
    size.scale(page, Qt::KeepAspectRatio);
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(QPointF(0, 0), size), image);

  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    throw RuntimeError(kPrinterFailedMessage);
  }
}

}  // namespace

SystemPrinter::SystemPrinter(DefaultPrinterLookup findDefaultPrinter)
    : findDefaultPrinter_(std::move(findDefaultPrinter)) {}

void SystemPrinter::printImage(const QImage& image) {
  const QPrinterInfo defaultPrinter = findDefaultPrinter_ ? findDefaultPrinter_() : QPrinterInfo();
  if (defaultPrinter.isNull()) throw RuntimeError(kNoDefaultPrinterMessage);
  QPrinter printer(defaultPrinter, QPrinter::HighResolution);
  printOnOnePage(printer, image);
}

PdfFilePrinter::PdfFilePrinter(QString path) : path_(std::move(path)) {}

void PdfFilePrinter::printImage(const QImage& image) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printOnOnePage(printer, image);
}

}  // namespace vespera
