#include "core/recording_runtime.h"
#include "ui/main_window.h"
#include "support/test_services.h"

#include <QtTest>
#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>

using namespace vespera;

namespace {

QString spokenName(QWidget* widget) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
  return node ? node->text(QAccessible::Name) : QString();
}

}  // namespace

// What a screen reader says for each control of the main window.
class AccessibilityTest : public QObject {
  Q_OBJECT

  RecordingRuntime runtime_;
  TestServices services_;
  std::unique_ptr<MainWindow> window_;

 private slots:
  void initTestCase() {
    window_ = std::make_unique<MainWindow>(runtime_, services_.services());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void fieldsAreNamedAfterTheirHeadings_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    const char* rows[][2] = {
        {"Text1", "Magnitudine assoluta V/m^2"},
        {"Text2", "Magnitudine apparente V"},
        {"Text3", "Distanza Parsec"},
        {"Text4", "Diametro Stella in metri"},
        {"Text5", "Magnitudine Assoluta V"},
        {"Text6", "Rapporto Diametro Stella con il Sole"},
        {"Text7", "Temperatura K"},
        {"Text8", "mag.B"},
        {"Text9", "mag.V"},
        {"Text10", "(B-V)"},
        {"Text11", "Parallasse trigonometrica in milli secondi d'arco"},
        {"Text12", "Anni Luce"},
        {"Text13", "Dimensione angolare in(°)"},
        {"Text14", "Kilometri"},
        {"Text15", "Unità Astronomica"},
        {"Text16", "Kilometri"},
        {"Text17", "Primi '"},
        {"Text18", "Secondi \""},
        {"Text19", "Tipo spettrale"},
        {"NomeFile", "Percorso del file della misura"},
    };
    for (const auto& row : rows) {
      QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
  }

  void fieldsAreNamedAfterTheirHeadings() {
    QFETCH(QString, field);
    QFETCH(QString, name);
    auto* box = window_->findChild<QLineEdit*>(field);
    QVERIFY(box);
    QCOMPARE(spokenName(box), name);
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->role(), QAccessible::EditableText);
  }

  void presetsSayTheirTemperature() {
    int presets = 0;
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
      bool isPreset = false;
      const int kelvin = button->text().toInt(&isPreset);
      if (!isPreset) continue;
      ++presets;
      QCOMPARE(spokenName(button), QStringLiteral("%1 kelvin").arg(kelvin));
    }
    QCOMPARE(presets, 91);
  }

  void pictureButtonsSayWhatTheyConvert() {
    QCOMPARE(spokenName(window_->findChild<QPushButton*>(QStringLiteral("Command108"))),
             QStringLiteral("Converti i primi d'arco in gradi"));
    QCOMPARE(spokenName(window_->findChild<QPushButton*>(QStringLiteral("Command109"))),
             QStringLiteral("Converti i secondi d'arco in gradi"));
  }

  // Every other button is spoken by its caption, and none is nameless.
  void everyButtonHasAName() {
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
      QVERIFY2(!spokenName(button).trimmed().isEmpty(), qPrintable(button->objectName()));
    }
  }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
