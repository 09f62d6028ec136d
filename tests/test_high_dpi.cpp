#include <QtTest>

// The main window at a device pixel ratio of 2 is the same layout, twice as
// large: every control at the same logical place, and every caption that
// fits at 1 still fits at 2 (and none that was cut off suddenly fits).
class HighDpiTest : public QObject {
  Q_OBJECT

  static QStringList probe(const QString& scale) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LAYOUT_PROBE), {});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
      qWarning() << "layout probe at scale" << scale << "failed:" << process.readAllStandardError();
      return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }

 private slots:
  void doubleScaleIsTheSameLayoutTwiceAsLarge() {
    const QStringList single = probe(QStringLiteral("1"));
    const QStringList twice = probe(QStringLiteral("2"));
    QVERIFY(single.size() > 150);  // fields, labels, groups, buttons
    QCOMPARE(twice.size(), single.size());

    const QStringList window1 = single.first().split(QLatin1Char(' '));
    const QStringList window2 = twice.first().split(QLatin1Char(' '));
    QCOMPARE(window1[3], QStringLiteral("1"));
    QCOMPARE(window2[3], QStringLiteral("2"));
    QCOMPARE(window2[1].toInt(), 2 * window1[1].toInt());
    QCOMPARE(window2[2].toInt(), 2 * window1[2].toInt());

    // Same controls, same logical places, same captions cut off.
    for (int i = 1; i < single.size(); ++i) QCOMPARE(twice[i], single[i]);
  }
};

QTEST_GUILESS_MAIN(HighDpiTest)
#include "test_high_dpi.moc"
