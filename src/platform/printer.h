// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPrinterInfo>
#include <QString>

#include <functional>

namespace vespera {

// Puts an image of a window on paper, at once, with no dialog. Throws
// RuntimeError with a message in Italian when there is no printer or the
// printer fails.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void printImage(const QImage& image) = 0;
};

// How the system printer is found; tests pass one that finds none.
using DefaultPrinterLookup = std::function<QPrinterInfo()>;

// The default printer of the system, looked up at each print.
class SystemPrinter : public Printer {
 public:
  explicit SystemPrinter(DefaultPrinterLookup findDefaultPrinter = &QPrinterInfo::defaultPrinter);
  void printImage(const QImage& image) override;

 private:
  DefaultPrinterLookup findDefaultPrinter_;
};

// Prints into a PDF file, replacing it; the page is the one the default
// printer would get.
class PdfFilePrinter : public Printer {
 public:
  explicit PdfFilePrinter(QString path);
  void printImage(const QImage& image) override;

 private:
  QString path_;
};

inline constexpr const char* kNoDefaultPrinterMessage =
    "Errore di run-time: nessuna stampante predefinita disponibile";
inline constexpr const char* kPrinterFailedMessage =
    "Errore di run-time: la stampante non \u00E8 pronta";

}  // namespace vespera
