#include "files/record_file_writer.h"

#include "files/file_replacement.h"

#include <QString>

namespace vespera {

bool writeRecordFile(std::string_view path, std::string_view bytes) {
  const auto writeBytes = [bytes](QFileDevice& file) {
    return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
  };
  return replaceFileContent(QString::fromUtf8(path.data(), qsizetype(path.size())), writeBytes,
                            WithoutTemporaryFile::WriteInPlace,
                            DeviceWait::Never) == Replacement::Done;
}

}  // namespace vespera
