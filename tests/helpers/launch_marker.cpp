// A program for the launcher test. Next to its own executable it writes
// started.txt (how many arguments it received, then its own path), stays
// alive for a while, then writes finished.txt. The test reads these to learn
// that the program ran, how it was called, and that nobody waited for it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

void writeMarker(const QString& name, const QByteArray& content) {
  QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(name));
  if (file.open(QIODevice::WriteOnly)) file.write(content);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  writeMarker(QStringLiteral("started.txt"),
              QByteArray::number(arguments.size() - 1) + '\n' +
                  QCoreApplication::applicationFilePath().toUtf8() + '\n');
  QThread::msleep(1500);
  writeMarker(QStringLiteral("finished.txt"), "done\n");
  return 0;
}
