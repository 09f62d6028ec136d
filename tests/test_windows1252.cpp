#include "storage/windows1252.h"

#include <QtTest>

#include <set>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define VESPERA_HAVE_ICONV 1
#endif

using namespace vespera;

namespace {

// The row 0x80-0x9F of Windows-1252 as the code page's own chart shows it,
// a dot where a byte is not assigned.
const QString kHighRowChart = QStringLiteral("€.‚ƒ„…†‡ˆ‰Š‹Œ.Ž..‘’“”•–—˜™š›œ.žŸ");

QString codePoint(char32_t c) { return QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar('0')); }

// One code point as a text (fromUcs4 would drop a byte-order mark).
std::optional<QByteArray> encodeOne(char32_t c) {
  if (QChar::requiresSurrogates(c)) {
    const QChar pair[] = {QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
    return encodeWindows1252(QString(pair, 2));
  }
  return encodeWindows1252(QString(QChar(char16_t(c))));
}

#ifdef VESPERA_HAVE_ICONV
// The C library's own Windows-1252 converter, as a second opinion.
std::optional<QByteArray> encodeWithIconv(char32_t c) {
  static iconv_t converter = iconv_open("WINDOWS-1252", "UTF-32LE");
  if (converter == iconv_t(-1)) return std::nullopt;
  char in[4] = {char(c & 0xFF), char((c >> 8) & 0xFF), char((c >> 16) & 0xFF), 0};
  char out[8];
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = sizeof in;
  size_t outLeft = sizeof out;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1)) return std::nullopt;
  return QByteArray(out, int(outPtr - out));
}
#endif

}  // namespace

class Windows1252Test : public QObject {
  Q_OBJECT

 private slots:
  void asciiAndLatin1AreTheirOwnBytes() {
    QStringList wrong;
    for (char32_t c = 0; c <= 0xFF; ++c) {
      if (c >= 0x80 && c <= 0x9F) continue;
      if (encodeOne(c) != QByteArray(1, char(c))) wrong << codePoint(c);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
  }

  // Every byte of 0x80-0x9F: its character when assigned, and the C1
  // control code of the same number never has a byte.
  void highRow_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    QCOMPARE(kHighRowChart.size(), 32);
    for (int i = 0; i < 32; ++i) {
      const QChar c = kHighRowChart[i];
      QTest::addRow("0x%X", 0x80 + i) << 0x80 + i << (c == QChar('.') ? QString() : QString(c));
    }
  }

  void highRow() {
    QFETCH(int, byte);
    QFETCH(QString, character);
    if (!character.isEmpty()) {
      QCOMPARE(encodeWindows1252(character), std::optional(QByteArray(1, char(byte))));
    }
    QCOMPARE(encodeOne(char32_t(byte)), std::nullopt);
  }

  void theUnassignedBytes() {
    QStringList unassigned;
    for (int i = 0; i < 32; ++i) {
      if (kHighRowChart[i] == QChar('.')) unassigned << QString::number(0x80 + i, 16);
    }
    QCOMPARE(unassigned, (QStringList{"81", "8d", "8f", "90", "9d"}));
  }

  // Over the whole Basic Multilingual Plane: exactly 251 characters have a
  // byte, each its own, and the five unassigned bytes are never produced.
  void eachByteHasOneCharacter() {
    std::set<unsigned char> produced;
    int representable = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      const std::optional<QByteArray> bytes = encodeOne(c);
      if (!bytes) continue;
      QCOMPARE(bytes->size(), 1);
      ++representable;
      QVERIFY2(produced.insert(static_cast<unsigned char>(bytes->at(0))).second,
               qPrintable(codePoint(c)));
    }
    QCOMPARE(representable, 251);
    for (unsigned char unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
      QVERIFY(!produced.contains(unassigned));
    }
  }

  void agreesWithTheCLibrary() {
#ifdef VESPERA_HAVE_ICONV
    if (!encodeWithIconv(U'A')) QSKIP("the C library has no Windows-1252 converter");
    QStringList disagreements;
    for (char32_t c = 0; c <= 0x2FFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      if (encodeOne(c) != encodeWithIconv(c)) disagreements << codePoint(c);
    }
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.mid(0, 20).join(' ')));
#else
    QSKIP("no iconv on this system");
#endif
  }

  // Whole texts: the program's own captions, and text that must be refused
  // whole rather than written with a stand-in character.
  void texts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("representable");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("degree sign") << QStringLiteral("Dimensione angolare in(°)") << true
                                 << QByteArray("Dimensione angolare in(\xB0)");
    QTest::newRow("e grave") << QStringLiteral("Si è verificato") << true
                             << QByteArray("Si \xE8 verificato");
    QTest::newRow("a grave, u grave") << QStringLiteral("Unità sù") << true
                                      << QByteArray("Unit\xE0 s\xF9");
    QTest::newRow("line end") << QStringLiteral("G2V\r\n") << true << QByteArray("G2V\r\n");
    QTest::newRow("euro and quotes") << QStringLiteral("€ “x” – y…") << true
                                     << QByteArray("\x80 \x93x\x94 \x96 y\x85");
    QTest::newRow("empty") << QString() << true << QByteArray();
    QTest::newRow("Greek letter") << QStringLiteral("G2V α Cen") << false << QByteArray();
    QTest::newRow("A macron") << QStringLiteral("\u0100") << false << QByteArray();
    QTest::newRow("star emoji, a surrogate pair") << QStringLiteral("G2V \U0001F31F") << false
                                                  << QByteArray();
    QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) << false << QByteArray();
    QTest::newRow("C1 control 0x81") << QStringLiteral("G2V\u0081") << false << QByteArray();
    QTest::newRow("replacement character") << QStringLiteral("\uFFFD") << false << QByteArray();
  }

  void texts() {
    QFETCH(QString, text);
    QFETCH(bool, representable);
    QFETCH(QByteArray, bytes);
    const std::optional<QByteArray> encoded = encodeWindows1252(text);
    QCOMPARE(encoded.has_value(), representable);
    if (representable) QCOMPARE(encoded->toHex(' '), bytes.toHex(' '));
  }
};

QTEST_APPLESS_MAIN(Windows1252Test)
#include "test_windows1252.moc"
