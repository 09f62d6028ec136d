#include "batch_command.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QFile standardOutput;
  QFile standardError;
  standardOutput.open(stdout, QIODevice::WriteOnly);
  standardError.open(stderr, QIODevice::WriteOnly);
  QTextStream out(&standardOutput);
  QTextStream err(&standardError);
  return vespera::runBatch(QCoreApplication::arguments(), out, err);
}
