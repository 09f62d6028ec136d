#include "core/handler.h"
#include "core/field_store.h"
#include "ui/qt_runtime.h"

#include <QtTest>
#include <QMessageBox>
#include <QPushButton>

using namespace vespera;

namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
};

// Closes the next modal message box with its OK button, the way a user
// would, after noting what it showed.
void closeNextBox(SeenBox& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      closeNextBox(seen);  // not shown yet: look again
      return;
    }
    seen = {box->windowTitle(), box->text(), box->icon(),
            static_cast<int>(box->buttons().size())};
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
}

}  // namespace

class QtRuntimeTest : public QObject {
  Q_OBJECT

 private slots:
  void realMessageBoxes_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning without a title") << int(kNoIcon) << QString() << "Vespera 3.3"
                                             << int(QMessageBox::NoIcon);
    QTest::newRow("save succeeded") << int(kInformationIcon) << "Salva" << "Salva"
                                    << int(QMessageBox::Information);
    QTest::newRow("save failed") << int(kCriticalIcon) << "Salva" << "Salva"
                                 << int(QMessageBox::Critical);
  }

  void realMessageBoxes() {
    QFETCH(int, flags);
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);
    QFETCH(int, icon);
    QtRuntime runtime;
    SeenBox seen;
    closeNextBox(seen);
    runtime.messageBox(QStringLiteral("Salvataggio effettuato!"), flags, title);
    QCOMPARE(seen.title, shownTitle);
    QCOMPARE(seen.text, QStringLiteral("Salvataggio effettuato!"));
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, 1);
  }

  // A fault that stops a handler reaches the user as one critical box.
  void faultReachesTheUser() {
    QtRuntime runtime;
    MemoryFieldStore store;
    SeenBox seen;
    closeNextBox(seen);
    runHandler([](FieldStore&, Runtime&) { throw ArithmeticFault(FaultKind::DivisionByZero); },
               store, runtime);
    QCOMPARE(seen.text, QStringLiteral("Errore di run-time: divisione per zero"));
    QCOMPARE(seen.title, QStringLiteral("Vespera 3.3"));
    QCOMPARE(int(seen.icon), int(QMessageBox::Critical));
  }

  void decimalSeparatorFollowsTheLocale() {
    QCOMPARE(QtRuntime(QLocale(QLocale::Italian, QLocale::Italy)).decimalSeparator(), QChar(','));
    QCOMPARE(QtRuntime(QLocale(QLocale::English, QLocale::UnitedStates)).decimalSeparator(),
             QChar('.'));
  }
};

QTEST_MAIN(QtRuntimeTest)
#include "test_qt_runtime.moc"
