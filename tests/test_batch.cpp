#include "batch_command.h"
#include "csv_line.h"
#include "nearest_preset.h"
#include "result_table.h"
#include "star_calculation.h"
#include "star_table.h"

#include "calc/diameter.h"
#include "calc/presets.h"
#include "core/handler.h"
#include "core/recording_runtime.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vespera;

namespace {

// Field name (or "temperature") to the text expected in it.
using ExpectedTexts = QHash<QString, QString>;

const QString kLogarithmFault =
    QStringLiteral("Errore di run-time: logaritmo di un numero minore o uguale a zero");
const QString kDivisionFault = QStringLiteral("Errore di run-time: divisione per zero");
const QString kOverflowFault = QStringLiteral("Errore di run-time: overflow");

StarTable readTable(const QString& text, const ColumnChoice& choice, QStringList& errors) {
  QString copy = text;
  QTextStream in(&copy, QIODevice::ReadOnly);
  return readStarTable(in, choice, errors);
}

const TemperaturePreset& presetAt(int kelvin) {
  for (const auto& preset : temperaturePresets()) {
    if (preset.kelvin == kelvin) return preset;
  }
  qFatal("no preset at %d K", kelvin);
}

// What a user gets by pressing the button, typing V and the distance, and
// pressing "CALCOLA" in the window: the batch must show the same texts.
MemoryFieldStore windowAfter(int presetKelvin, const QString& v, const QString& parsecs) {
  MemoryFieldStore store;
  RecordingRuntime runtime;
  pressPreset(presetAt(presetKelvin), store, runtime);
  store.setText(Field::Text2, v);
  store.setText(Field::Text3, parsecs);
  runHandler(Command41_Click, store, runtime);
  return store;
}

struct ProcessRun {
  int exitCode = -1;
  QString out;
  QString err;
};

ProcessRun runBatchProcess(const QStringList& arguments, const QByteArray& standardInput = {}) {
  QProcess process;
  process.start(QStringLiteral(VESPERA_BATCH_EXECUTABLE), arguments);
  if (!process.waitForStarted(10000)) qFatal("vespera-batch did not start");
  process.write(standardInput);
  process.closeWriteChannel();
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    qFatal("vespera-batch did not finish within 30 s");
  }
  ProcessRun run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
  return path;
}

// Output rows as maps from column name to cell; quotes are undone.
QList<QHash<QString, QString>> parseOutput(const QString& csv) {
  QStringList lines = csv.split(u'\n', Qt::SkipEmptyParts);
  QList<QHash<QString, QString>> rows;
  if (lines.isEmpty()) return rows;
  const QStringList header = *splitCsvLine(lines.takeFirst());
  for (const QString& line : lines) {
    const QStringList cells = *splitCsvLine(line);
    if (cells.size() != header.size()) qFatal("output line has the wrong width: %s", qPrintable(line));
    QHash<QString, QString> row;
    for (int i = 0; i < header.size(); ++i) row.insert(header[i], cells[i]);
    rows.append(row);
  }
  return rows;
}

}  // namespace

class BatchTest : public QObject {
  Q_OBJECT

 private slots:
  void splitLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("plain") << "a,1.5,-3" << QStringList{"a", "1.5", "-3"};
    QTest::newRow("blanks around cells") << " a , 1.5 ,x y " << QStringList{"a", "1.5", "x y"};
    QTest::newRow("empty cells") << ",,x," << QStringList{"", "", "x", ""};
    QTest::newRow("quoted comma") << "\"alpha, Cen\",1" << QStringList{"alpha, Cen", "1"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",2" << QStringList{"say \"hi\"", "2"};
    QTest::newRow("quoted keeps inner blanks") << " \" a \" ,3" << QStringList{" a ", "3"};
    QTest::newRow("one cell") << "solo" << QStringList{"solo"};
  }

  void splitLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, cells);
    const auto split = splitCsvLine(line);
    QVERIFY(split.has_value());
    QCOMPARE(*split, cells);
    // What the output writes, the input reads back unchanged.
    QStringList quoted;
    for (const QString& cell : cells) quoted.append(quoteCsvCell(cell));
    QCOMPARE(*splitCsvLine(quoted.join(u',')), cells);
  }

  void unclosedQuoteIsRefused() {
    QVERIFY(!splitCsvLine(QStringLiteral("\"open,1")).has_value());
    QCOMPARE(quoteCsvCell(QStringLiteral("1548478941.99956")), QStringLiteral("1548478941.99956"));
  }

  void strictNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    for (const char* good : {"4.83", "-1.44", "+2", "10", "0.5", ".5", "5.", "1.5E+3", "3e-2",
                             "1E400"}) {
      QTest::newRow(good) << QString::fromLatin1(good) << true;
    }
    for (const char* bad : {"", "abc", "12abc", "4,83", "1.2.3", "E5", "1E", "-", ".", " 4.8",
                            "4.8 ", "0x10", "nan", "inf"}) {
      QTest::newRow(qPrintable(QStringLiteral("bad: '%1'").arg(QLatin1String(bad))))
          << QString::fromLatin1(bad) << false;
    }
  }

  void strictNumber() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(isStrictNumber(text), accepted);
  }

  void nearestPreset_data() {
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<int>("preset");
    QTest::newRow("exact button") << 5750.0 << 5750;
    QTest::newRow("just above a button") << 5800.0 << 5750;
    QTest::newRow("nearer the next") << 5900.0 << 6000;
    QTest::newRow("halfway 5750/6000 goes cooler") << 5875.0 << 5750;
    QTest::newRow("halfway 3200/3400 goes cooler") << 3300.0 << 3200;
    QTest::newRow("just past halfway") << 3300.5 << 3400;
    QTest::newRow("halfway across the step change") << 10250.0 << 10000;
    QTest::newRow("halfway in the 1000 K run") << 41500.0 << 41000;
    QTest::newRow("B-V 0.65 temperature") << 5933.954215 << 6000;
    QTest::newRow("below the coolest") << 500.0 << 1000;
    QTest::newRow("zero") << 0.0 << 1000;
    QTest::newRow("negative") << -300.0 << 1000;
    QTest::newRow("above the hottest") << 60000.0 << 43000;
  }

  void nearestPreset() {
    QFETCH(double, kelvin);
    QFETCH(int, preset);
    const TemperaturePreset& chosen = vespera::nearestPreset(kelvin);
    QCOMPARE(chosen.kelvin, preset);
    QCOMPARE(chosen.button, presetAt(preset).button);
  }

  // Bad input: every fault named with its line, in file order.
  void inputErrors_data() {
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QStringList>("options");  // --surface-from value, then column renames
    QTest::addColumn<QStringList>("errors");
    const QString notANumber = QStringLiteral(
        "\" non \u00E8 un numero (cifre, il punto come separatore decimale, esponente "
        "facoltativo come in 1.5E+3)");
    QTest::newRow("wrong column count")
        << "# comment\nname,teff,v,distance_pc\na,5750,4.83,10\nb,5750,4.83\n" << QStringList{}
        << QStringList{"riga 4: 3 valori, ma l'intestazione (riga 2) ha 4 colonne"};
    QTest::newRow("too many cells")
        << "teff,v,distance_pc\n5750,4.83,10,7\n" << QStringList{}
        << QStringList{"riga 2: 4 valori, ma l'intestazione (riga 1) ha 3 colonne"};
    QTest::newRow("missing v")
        << "name,teff,distance_pc\na,5750,10\n" << QStringList{}
        << QStringList{"riga 1: manca la colonna obbligatoria \"v\""};
    QTest::newRow("no surface column")
        << "\n\nname,v,distance_pc\n" << QStringList{}
        << QStringList{"riga 3: serve una delle colonne surface_mag, teff, b_v"};
    QTest::newRow("no distance column")
        << "teff,v\n" << QStringList{}
        << QStringList{"riga 1: serve una delle colonne distance_pc, parallax_mas"};
    QTest::newRow("two surface columns")
        << "teff,b_v,v,distance_pc\n" << QStringList{}
        << QStringList{"riga 1: ci sono pi\u00F9 colonne tra teff, b_v: scegliere quale usare con "
                       "--surface-from"};
    QTest::newRow("chosen column absent")
        << "b_v,v,distance_pc\n" << QStringList{"teff"}
        << QStringList{"riga 1: manca la colonna \"teff\" scelta con --surface-from"};
    QTest::newRow("renamed column absent")
        << "b_v,v,distance_pc\n" << QStringList{"teff", "teff=teff_sptype"}
        << QStringList{"riga 1: manca la colonna \"teff_sptype\" scelta con --surface-from"};
    QTest::newRow("duplicate column")
        << "v,teff,v,distance_pc\n" << QStringList{}
        << QStringList{"riga 1: la colonna \"v\" compare due volte"};
    QTest::newRow("letters after a number, comma decimal")
        << "name,teff,v,distance_pc\na,5750,4.83x,10\nb,5750,4,10\nc,5750,\"4,83\",10\n"
        << QStringList{}
        << QStringList{"riga 2, colonna v: \"4.83x" + notANumber,
                       "riga 4, colonna v: \"4,83" + notANumber};
    QTest::newRow("empty required cells")
        << "name,b_v,v,parallax_mas,theta_mas\na,,1,100,\nb,0.6,2,,\n" << QStringList{}
        << QStringList{"riga 2, colonna b_v: valore mancante",
                       "riga 3, colonna parallax_mas: valore mancante"};
    QTest::newRow("bad angular diameter")
        << "teff,v,distance_pc,theta_mas\n5750,4.83,10,big\n" << QStringList{}
        << QStringList{"riga 2, colonna theta_mas: \"big" + notANumber};
    QTest::newRow("renamed column named in messages")
        << "teff_sptype,v,distance_pc\nhot,1,10\n" << QStringList{"", "teff=teff_sptype"}
        << QStringList{"riga 2, colonna teff_sptype: \"hot" + notANumber};
    QTest::newRow("unclosed quote")
        << "name,teff,v,distance_pc\n\"Vega,9500,0.03,7.7\n" << QStringList{}
        << QStringList{"riga 2: virgolette aperte e non chiuse sulla riga"};
    QTest::newRow("only comments")
        << "# nothing here\n\n" << QStringList{}
        << QStringList{"il file non ha la riga di intestazione con i nomi delle colonne"};
  }

  void inputErrors() {
    QFETCH(QString, csv);
    QFETCH(QStringList, options);
    QFETCH(QStringList, errors);
    ColumnChoice choice;
    if (!options.isEmpty() && !options.first().isEmpty()) {
      choice.surface = surfaceSourceFromColumn(options.first());
    }
    for (const QString& rename : options.mid(1)) {
      choice.headerFor.insert(rename.section(u'=', 0, 0), rename.section(u'=', 1));
    }
    QStringList reported;
    readTable(csv, choice, reported);
    QCOMPARE(reported, errors);
  }

  void readsDocumentedAndRenamedColumns() {
    const QString csv = QStringLiteral(
        "# header comments\n"
        "name,hd,v,b_v,parallax_mas,theta_ld_mas,teff_sptype\n"
        "\n"
        "\"alpha Cen A\",128620, -0.01 ,0.71,754.81,8.511,5790\n"
        "Sirius A,48915,-1.44,0.009,379.21,,9500\n");
    ColumnChoice choice;
    choice.headerFor.insert(kTemperatureColumn, QStringLiteral("teff_sptype"));
    choice.headerFor.insert(kAngularDiameterColumn, QStringLiteral("theta_ld_mas"));
    choice.surface = SurfaceSource::Temperature;
    QStringList errors;
    const StarTable table = readTable(csv, choice, errors);
    QCOMPARE(errors, QStringList{});
    QCOMPARE(table.surfaceSource, SurfaceSource::Temperature);
    QCOMPARE(table.distanceSource, DistanceSource::Parallax);
    QCOMPARE(table.stars.size(), 2);
    const StarInput& first = table.stars[0];
    QCOMPARE(first.line, 4);
    QCOMPARE(first.name, QStringLiteral("alpha Cen A"));
    QCOMPARE(first.surface, QStringLiteral("5790"));
    QCOMPARE(first.apparentMagnitude, QStringLiteral("-0.01"));
    QCOMPARE(first.distance, QStringLiteral("754.81"));
    QCOMPARE(first.angularDiameterMas, QStringLiteral("8.511"));
    QCOMPARE(table.stars[1].line, 5);
    QVERIFY(table.stars[1].angularDiameterMas.isEmpty());

    // Without the choice, b_v is the only surface column the file names.
    const StarTable byColour = readTable(csv, ColumnChoice{}, errors);
    QCOMPARE(errors, QStringList{});
    QCOMPARE(byColour.surfaceSource, SurfaceSource::ColourIndex);
    QCOMPARE(byColour.stars[0].surface, QStringLiteral("0.71"));
  }

  // One star through the window's handlers; expected texts are the window's.
  void calculateStar_data() {
    QTest::addColumn<int>("surface");   // SurfaceSource
    QTest::addColumn<int>("distance");  // DistanceSource
    QTest::addColumn<QStringList>("cells");  // surface, v, distance, theta_mas
    QTest::addColumn<ExpectedTexts>("expected");
    using S = SurfaceSource;
    using D = DistanceSource;
    QTest::newRow("Sun-like at 10 pc")
        << int(S::Temperature) << int(D::Parsecs) << QStringList{"5750", "4.83", "10", ""}
        << ExpectedTexts{{"Text1", "50.7"},        {"Text7", "5750"},
                                   {"Text4", "1548478941.99956"}, {"Text5", "4.83"},
                                   {"Text6", "1.11321275485231"}, {"Text11", "100"},
                                   {"Text12", "32.6156"},    {"Text15", "2062650"},
                                   {"Text16", "308600000000000"}, {"temperature", "5750"}};
    QTest::newRow("temperature between buttons")
        << int(S::Temperature) << int(D::Parsecs) << QStringList{"5800", "4.83", "10", ""}
        << ExpectedTexts{{"Text1", "50.7"}, {"Text7", "5750"},
                                   {"Text4", "1548478941.99956"}, {"temperature", "5800"}};
    QTest::newRow("surface magnitude typed")
        << int(S::SurfaceMagnitude) << int(D::Parsecs) << QStringList{"47", "1", "100", ""}
        << ExpectedTexts{{"Text1", "47"}, {"Text7", ""}, {"Text5", "-4"},
                                   {"Text16", "3.086E+15"}, {"temperature", ""}};
    QTest::newRow("parallax through the distance panel")
        << int(S::Temperature) << int(D::Parallax) << QStringList{"5750", "4.83", "100", ""}
        << ExpectedTexts{{"Text3", "10"}, {"Text11", "100"},
                                   {"Text4", "1548478941.99956"}, {"Text5", "4.83"}};
    QTest::newRow("B-V through its panel, then the nearest button")
        << int(S::ColourIndex) << int(D::Parsecs) << QStringList{"0.65", "4.83", "10", ""}
        << ExpectedTexts{{"Text10", "0.65"}, {"Text1", "50.5"}, {"Text7", "6000"}};
    QTest::newRow("angular diameter of half a degree at 10 pc")
        << int(S::Temperature) << int(D::Parsecs) << QStringList{"5750", "4.83", "10", "1800000"}
        << ExpectedTexts{{"Text13", "0.5"}, {"Text14", "2693111400228.16"},
                                   {"Text4", "1548478941.99956"}};
    QTest::newRow("angular diameter with a parallax")
        << int(S::Temperature) << int(D::Parallax) << QStringList{"5750", "1", "1000", "3600000"}
        << ExpectedTexts{{"Text3", "1"}, {"Text13", "1"},
                                   {"Text14", "538663303684.794"}};
  }

  void calculateStar() {
    QFETCH(int, surface);
    QFETCH(int, distance);
    QFETCH(QStringList, cells);
    QFETCH(ExpectedTexts, expected);
    StarInput star{7, QStringLiteral("star"), cells[0], cells[1], cells[2], cells[3]};
    const StarResult result = vespera::calculateStar(star, SurfaceSource(surface),
                                                     DistanceSource(distance));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.name, QStringLiteral("star"));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
      const QString actual = it.key() == QStringLiteral("temperature")
                                 ? result.temperature
                                 : result.fields.text(*fieldFromName(it.key()));
      QVERIFY2(actual == it.value(),
               qPrintable(it.key() + ": " + actual + " instead of " + it.value()));
    }
    QCOMPARE(result.fields.text(Field::Text2), cells[1]);
  }

  // The B-V row shows the panel's temperature, and then exactly what the
  // window shows after its nearest button and "CALCOLA".
  void colourIndexMatchesTheWindow() {
    StarInput star{2, QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("-0.05"),
                   QStringLiteral("11.26"), QString()};
    const StarResult result =
        vespera::calculateStar(star, SurfaceSource::ColourIndex, DistanceSource::Parsecs);
    QCOMPARE(result.error, QString());
    // B-V 1 is 4768.027617 K, nearest the 4750 K button.
    QVERIFY2(std::abs(result.temperature.toDouble() - 4768.027617) < 5e-6,
             qPrintable(result.temperature));
    QCOMPARE(result.fields.text(Field::Text7), QStringLiteral("4750"));
    const MemoryFieldStore window = windowAfter(4750, star.apparentMagnitude, star.distance);
    for (Field field : {Field::Text1, Field::Text4, Field::Text5, Field::Text6, Field::Text7,
                        Field::Text11, Field::Text12, Field::Text15, Field::Text16}) {
      QCOMPARE(result.fields.text(field), window.text(field));
    }
  }

  // A fault ends the star where a user would stop; what was written stays.
  void faultingStar_data() {
    QTest::addColumn<int>("distance");
    QTest::addColumn<QStringList>("cells");  // teff, v, distance, theta_mas
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("lastWritten");  // field written before the fault, if any
    QTest::addColumn<QString>("notWritten");
    QTest::newRow("distance 0") << int(DistanceSource::Parsecs)
                                << QStringList{"5750", "4.83", "0", "1"} << kLogarithmFault
                                << "Text1" << "Text4";
    QTest::newRow("negative distance") << int(DistanceSource::Parsecs)
                                       << QStringList{"5750", "4.83", "-10", ""}
                                       << kLogarithmFault << "Text7" << "Text5";
    QTest::newRow("parallax 0") << int(DistanceSource::Parallax)
                                << QStringList{"5750", "4.83", "0", ""} << kDivisionFault
                                << "Text1" << "Text3";
    QTest::newRow("temperature beyond doubles") << int(DistanceSource::Parsecs)
                                                << QStringList{"1E400", "4.83", "10", ""}
                                                << kOverflowFault << "" << "Text1";
    QTest::newRow("huge distance overflows the diameter")
        << int(DistanceSource::Parsecs) << QStringList{"5750", "4.83", "1E300", "1"}
        << kOverflowFault << "Text1" << "Text4";
  }

  void faultingStar() {
    QFETCH(int, distance);
    QFETCH(QStringList, cells);
    QFETCH(QString, error);
    QFETCH(QString, lastWritten);
    QFETCH(QString, notWritten);
    StarInput star{3, QStringLiteral("bad"), cells[0], cells[1], cells[2], cells[3]};
    const StarResult result =
        vespera::calculateStar(star, SurfaceSource::Temperature, DistanceSource(distance));
    QCOMPARE(result.error, error);
    if (!lastWritten.isEmpty()) {
      QVERIFY(!result.fields.text(*fieldFromName(lastWritten)).isEmpty());
    }
    QCOMPARE(result.fields.text(*fieldFromName(notWritten)), QString());
    // Later panels never ran.
    QCOMPARE(result.fields.text(Field::Text14), QString());
    QVERIFY(resultLine(result).endsWith(u',' + error));
  }

  // The real executable on a real file: good rows, a faulting one, quoting.
  void executableWritesEveryRow() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = writeFile(
        dir, QStringLiteral("stars.csv"),
        "# a test list\n"
        "name,teff,v,distance_pc,theta_mas\n"
        "Sun-like,5750,4.83,10,\n"
        "nowhere,5750,4.83,0,1\n"
        "\"Half, degree\",3300,4.83,10,1800000\n");
    const QString output = dir.filePath(QStringLiteral("out.csv"));
    const ProcessRun run = runBatchProcess({input, QStringLiteral("-o"), output});
    QCOMPARE(run.exitCode, int(kBatchDone));
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(QStringLiteral("1 stella su 3")), qPrintable(run.err));

    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith(resultColumns().join(u',') + u'\n'));
    const auto rows = parseOutput(text);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].value("name"), QStringLiteral("Sun-like"));
    QCOMPARE(rows[0].value("diameter_m"), QStringLiteral("1548478941.99956"));
    QCOMPARE(rows[0].value("abs_mag"), QStringLiteral("4.83"));
    QCOMPARE(rows[0].value("sun_ratio"), QStringLiteral("1.11321275485231"));
    QCOMPARE(rows[0].value("light_years"), QStringLiteral("32.6156"));
    QCOMPARE(rows[0].value("km"), QStringLiteral("308600000000000"));
    QCOMPARE(rows[0].value("angular_km"), QString());
    QCOMPARE(rows[0].value("error"), QString());

    QCOMPARE(rows[1].value("name"), QStringLiteral("nowhere"));
    QCOMPARE(rows[1].value("error"), kLogarithmFault);
    QCOMPARE(rows[1].value("diameter_m"), QString());
    QCOMPARE(rows[1].value("surface_mag"), QStringLiteral("50.7"));

    QCOMPARE(rows[2].value("name"), QStringLiteral("Half, degree"));
    QCOMPARE(rows[2].value("temperature_k"), QStringLiteral("3300"));
    QCOMPARE(rows[2].value("preset_k"), QStringLiteral("3200"));
    QCOMPARE(rows[2].value("surface_mag"), QStringLiteral("56.5"));
    QCOMPARE(rows[2].value("diameter_m"),
             windowAfter(3200, QStringLiteral("4.83"), QStringLiteral("10")).text(Field::Text4));
    QCOMPARE(rows[2].value("theta_deg"), QStringLiteral("0.5"));
    QCOMPARE(rows[2].value("angular_km"), QStringLiteral("2693111400228.16"));
  }

  void executableReadsStandardInput() {
    const ProcessRun run =
        runBatchProcess({QStringLiteral("-")}, "v,b_v,parallax_mas\n4.83,0.65,100\n");
    QCOMPARE(run.exitCode, int(kBatchDone));
    const auto rows = parseOutput(run.out);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].value("preset_k"), QStringLiteral("6000"));
    QCOMPARE(rows[0].value("distance_pc"), QStringLiteral("10"));
    QCOMPARE(rows[0].value("diameter_m"),
             windowAfter(6000, QStringLiteral("4.83"), QStringLiteral("10")).text(Field::Text4));
  }

  // Bad input: messages name the lines, nothing is written, an older output
  // file keeps its content.
  void executableRefusesBadInput() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = writeFile(dir, QStringLiteral("bad.csv"),
                                    "name,teff,v,distance_pc\n"
                                    "ok,5750,4.83,10\n"
                                    "short,5750,4.83\n"
                                    "letters,5750,bright,10\n");
    const QString output = writeFile(dir, QStringLiteral("previous.csv"), "keep me\n");
    const ProcessRun run = runBatchProcess({QStringLiteral("--output"), output, input});
    QCOMPARE(run.exitCode, int(kBatchBadInput));
    QVERIFY2(run.err.contains(input + QStringLiteral(", riga 3: 3 valori")), qPrintable(run.err));
    QVERIFY2(run.err.contains(input + QStringLiteral(", riga 4, colonna v: \"bright\"")),
             qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("nessun risultato scritto")));
    QFile previous(output);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("keep me\n"));

    const ProcessRun missing = runBatchProcess({dir.filePath(QStringLiteral("absent.csv"))});
    QCOMPARE(missing.exitCode, int(kBatchBadInput));
    QVERIFY(missing.err.contains(QStringLiteral("impossibile leggere")));
  }

  void executableCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList{} << int(kBatchBadCommandLine)
                             << "manca il file CSV da leggere";
    QTest::newRow("two files") << QStringList{"a.csv", "b.csv"} << int(kBatchBadCommandLine)
                               << "un solo file CSV alla volta";
    QTest::newRow("unknown option") << QStringList{"--colour", "x.csv"}
                                    << int(kBatchBadCommandLine)
                                    << "opzione sconosciuta: --colour";
    QTest::newRow("bad surface choice")
        << QStringList{"--surface-from", "kelvin", "x.csv"} << int(kBatchBadCommandLine)
        << "--surface-from vuole surface_mag, teff o b_v";
    QTest::newRow("bad rename") << QStringList{"--column", "temperature=t", "x.csv"}
                                << int(kBatchBadCommandLine) << "--column temperature=t";
    QTest::newRow("option without value") << QStringList{"x.csv", "--output"}
                                          << int(kBatchBadCommandLine)
                                          << "opzione senza il suo valore";
  }

  void executableCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const ProcessRun run = runBatchProcess(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
  }

  // --help documents every input and output column and the tie rule.
  void executableHelp() {
    const ProcessRun run = runBatchProcess({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, int(kBatchDone));
    for (const QString& column : knownInputColumns() + resultColumns()) {
      QVERIFY2(run.out.contains(column), qPrintable(column));
    }
    QVERIFY(run.out.contains(QStringLiteral("si preme il pi\u00F9\n                freddo")));
    QVERIFY(run.out.contains(QStringLiteral("3300 K preme 3200")));
  }
};

QTEST_GUILESS_MAIN(BatchTest)
#include "test_batch.moc"
