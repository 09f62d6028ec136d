#include "ui/manual_window.h"

#include "ui/manual_text.h"

#include <QLabel>
#include <QPointer>
#include <QtTest>

using namespace vespera;

namespace {

QLabel* manualLabel(QWidget* window) {
  return window->findChild<QLabel*>(QStringLiteral("Label1"));
}

// Characters a Windows-1252 text can hold: ASCII and the Latin-1 letters and
// signs from U+00A0 on (plus the few that code page keeps in 0x80 to 0x9F,
// which the manual does not use).
bool fitsWindows1252(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF);
  });
}

}  // namespace

class ManualWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    for (QWidget* window : QApplication::topLevelWidgets()) delete window;
  }

  void window() {
    QPointer<ManualWindow> window = new ManualWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->objectName(), QStringLiteral("Dialog"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Manuale"));
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(!window->isModal());
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!window->windowIcon().isNull());

    // Fixed client size: it can be neither resized, minimised nor maximised.
    QCOMPARE(window->size(), QSize(850, 581));
    QCOMPARE(window->minimumSize(), QSize(850, 581));
    QCOMPARE(window->maximumSize(), QSize(850, 581));
    window->resize(1000, 700);
    QCOMPARE(window->size(), QSize(850, 581));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    QLabel* label = manualLabel(window);
    QVERIFY(label);
    QCOMPARE(label->geometry(), QRect(16, 16, 825, 553));
    QCOMPARE(label->font().family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(label->font().pointSizeF(), 14.25);
    QCOMPARE(label->font().weight(), QFont::Normal);
    QVERIFY(!label->font().italic());
    QVERIFY(!label->font().underline());
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(label->text(), manualText());
  }

  // One paragraph of about 1950 characters, in the code page the program writes.
  void textShape() {
    const QString text = manualText();
    QVERIFY2(text.size() >= 1850 && text.size() <= 2050, qPrintable(QString::number(text.size())));
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(!text.contains(QStringLiteral("  ")));
    QCOMPARE(text.trimmed(), text);
    QVERIFY(fitsWindows1252(text));
    for (const QChar letter : {QChar(0xE0), QChar(0xE8), QChar(0xF2), QChar(0xF9)}) {
      QVERIFY2(text.contains(letter), qPrintable(QString(letter)));
    }
  }

  void textNamesThingsOnce_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("times");
    QTest::newRow("the program, once") << QStringLiteral("Vespera") << 1;
    QTest::newRow("the surface-magnitude box, quoted, twice")
        << QStringLiteral("\"magnitudini al metro^2\"") << 2;
    QTest::newRow("the surface-magnitude box, never unquoted")
        << QStringLiteral("magnitudini al metro^2") << 2;
    QTest::newRow("the warning, opening a sentence") << QStringLiteral(". ATTENZIONE") << 1;
    QTest::newRow("the warning word") << QStringLiteral("ATTENZIONE") << 1;
    QTest::newRow("version 3 beside the program's name")
        << QStringLiteral("versione 3 di Vespera") << 1;
  }

  void textNamesThingsOnce() {
    QFETCH(QString, words);
    QFETCH(int, times);
    QCOMPARE(manualText().count(words), times);
  }

  // The text walks the window in a fixed order: purpose, colours of the boxes,
  // distance, magnitudes, temperature, the finer surface magnitude, spectral
  // type, the warning about commas, the orange boxes.
  void textOrder() {
    const QString text = manualText();
    const QStringList steps = {
        QStringLiteral("diametro delle stelle"),  QStringLiteral("caselle gialle"),
        QStringLiteral("caselle bianche"),        QStringLiteral("distanza della stella"),
        QStringLiteral("cataloghi stellari"),     QStringLiteral("espansione o la contrazione"),
        QStringLiteral("filtro fotometrico V"),   QStringLiteral("metro quadrato"),
        QStringLiteral("spettro"),                QStringLiteral("B-V"),
        QStringLiteral("metro^2"),                QStringLiteral("tipo spettrale"),
        QStringLiteral("ATTENZIONE"),             QStringLiteral("virgola"),
        QStringLiteral("caselle arancioni"),
    };
    qsizetype from = 0;
    for (const QString& step : steps) {
      const qsizetype at = text.indexOf(step, from);
      QVERIFY2(at >= 0, qPrintable(step));
      from = at + step.size();
    }
  }

  // Manual windows are independent: closing one leaves the others open.
  void severalOpen() {
    QPointer<ManualWindow> first = new ManualWindow;
    QPointer<ManualWindow> second = new ManualWindow;
    first->show();
    second->show();
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QVERIFY(second && second->isVisible());
    QCOMPARE(manualLabel(second)->text(), manualText());
  }

  // The text is drawn: the label's area is not blank.
  void textIsDrawn() {
    QPointer<ManualWindow> window = new ManualWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage image = manualLabel(window)->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int inked = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < image.width(); ++x) inked += image.pixel(x, y) != background;
    }
    QVERIFY(inked > 100);
  }
};

QTEST_MAIN(ManualWindowTest)
#include "test_manual_window.moc"
