#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "core/runtime_error.h"
#include "platform/printer.h"

using namespace vespera;

namespace {

// A picture with something on it, the size of a window.
QImage windowImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(212, 208, 200));
  for (int y = 10; y < size.height() - 10; ++y)
    image.setPixel(size.width() / 2, y, qRgb(255, 0, 0));
  return image;
}

int count(const QByteArray& text, const QRegularExpression& pattern) {
  int n = 0;
  for (auto it = pattern.globalMatch(QString::fromLatin1(text)); it.hasNext(); it.next()) ++n;
  return n;
}

}  // namespace

class PrinterTest : public QObject {
  Q_OBJECT

 private slots:
  // A window printed into a PDF: one page carrying the picture, whatever its size.
  void printsOnePage_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("the main window, wider than the page") << QSize(781, 421);
    QTest::newRow("a small window") << QSize(382, 237);
    QTest::newRow("a tall window") << QSize(300, 2000);
  }

  void printsOnePage() {
    QFETCH(QSize, size);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString path = temp.filePath(QStringLiteral("page.pdf"));

    PdfFilePrinter printer(path);
    printer.printImage(windowImage(size));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(count(pdf, QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 1);
    // The picture is in it at its own size.
    QCOMPARE(count(pdf, QRegularExpression(QStringLiteral("/Subtype\\s*/Image"))), 1);
    QVERIFY(pdf.contains("/Width " + QByteArray::number(size.width())));
    QVERIFY(pdf.contains("/Height " + QByteArray::number(size.height())));
  }

  // Printing again replaces the file with a new one-page document.
  void printingAgainReplacesTheFile() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString path = temp.filePath(QStringLiteral("page.pdf"));
    PdfFilePrinter printer(path);
    printer.printImage(windowImage(QSize(200, 100)));
    printer.printImage(windowImage(QSize(120, 90)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QCOMPARE(count(pdf, QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 1);
    QVERIFY(pdf.contains("/Width 120"));
    QVERIFY(!pdf.contains("/Width 200"));
  }

  // No default printer, or a printer that cannot take the page: an error in Italian.
  void noDefaultPrinter() {
    int lookups = 0;
    SystemPrinter printer([&lookups] {
      ++lookups;
      return QPrinterInfo();
    });
    try {
      printer.printImage(windowImage(QSize(100, 50)));
      QFAIL("printed without a printer");
    } catch (const RuntimeError& error) {
      QCOMPARE(error.message(),
               QStringLiteral("Errore di run-time: nessuna stampante predefinita disponibile"));
    }
    QCOMPARE(lookups, 1);
  }

  void printerThatFails() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString path = temp.filePath(QStringLiteral("no such folder/page.pdf"));
    PdfFilePrinter printer(path);
    try {
      printer.printImage(windowImage(QSize(100, 50)));
      QFAIL("printed on a printer that cannot take the page");
    } catch (const RuntimeError& error) {
      QCOMPARE(error.message(), QStringLiteral("Errore di run-time: la stampante non \u00E8 pronta"));
    }
    QVERIFY(!QFile::exists(path));
  }
};

QTEST_MAIN(PrinterTest)
#include "test_printer.moc"
