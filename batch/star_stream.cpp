#include "star_stream.h"

#include "csv_line.h"
#include "result_table.h"
#include "star_calculation.h"
#include "vector_registers.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <span>
#include <thread>

namespace vespera {
namespace {

constexpr std::size_t kReadSize = std::size_t(1) << 18;
// Fewer lines than this are not worth a thread of their own.
constexpr std::size_t kLeastLinesShared = 512;

struct Line {
  std::string_view text;
  int number;  // in the file, counting comments and blank lines
};

QString unclosedQuote(int line) {
  return QStringLiteral("riga %1: virgolette aperte e non chiuse sulla riga").arg(line);
}

// What one core made of its share of a block: the output lines, and where the input
// stopped it, the fault (the lines before it are in `out`).
struct Share {
  std::string out;
  qint64 stars = 0;
  qint64 faulted = 0;
  QString inputError;
};

void workShare(std::span<const Line> lines, const StarLayout& layout, const ColumnChoice& choice,
               Share& share) {
  share.out.clear();
  share.stars = share.faulted = 0;
  share.inputError.clear();
  std::vector<std::string> cells;
  StarInput star;
  for (const Line& line : lines) {
    if (!splitCsvLine(line.text, cells)) {
      share.inputError = unclosedQuote(line.number);
      return;
    }
    share.inputError = readStar(cells, line.number, layout, choice, star);
    if (!share.inputError.isEmpty()) return;
    clearUpperVectorRegisters();
    const StarResult result = calculateStar(star, layout.surfaceSource, layout.distanceSource);
    share.faulted += result.error.isEmpty() ? 0 : 1;
    ++share.stars;
    appendResultLine(share.out, star.name, result);
  }
}

void workBlock(std::span<const Line> lines, const StarLayout& layout, const ColumnChoice& choice,
               std::vector<Share>& shares) {
  const std::size_t used =
      std::clamp<std::size_t>(lines.size() / kLeastLinesShared, 1, shares.size());
  const std::size_t each = (lines.size() + used - 1) / used;
  const auto part = [&](std::size_t i) {
    const std::size_t first = std::min(i * each, lines.size());
    return lines.subspan(first, std::min(each, lines.size() - first));
  };
  std::vector<std::future<void>> others;
  for (std::size_t i = 1; i < used; ++i) {
    others.push_back(std::async(std::launch::async, workShare, part(i), std::cref(layout),
                                std::cref(choice), std::ref(shares[i])));
  }
  workShare(part(0), layout, choice, shares[0]);
  for (auto& other : others) other.get();
}

ssize_t readSome(int input, std::vector<char>& chunk) {
  ssize_t count = 0;
  do {
    count = ::read(input, chunk.data(), chunk.size());
  } while (count < 0 && errno == EINTR);
  return count;
}

}  // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): a block's steps read best in order
StreamOutcome streamStars(int input, QIODevice& output, const ColumnChoice& choice,
                          Progress& progress) {
  StreamOutcome outcome;
  std::optional<StarLayout> layout;
  std::vector<Share> shares(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<char> chunk(kReadSize);
  std::vector<Line> lines;
  std::string pending;  // read, not yet worked: the start of a line still arriving
  int lineNumber = 0;
  qint64 bytesRead = 0;
  const auto write = [&](const std::string& bytes) {
    outcome.written =
        outcome.written && output.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    return outcome.written;
  };

  for (bool atEnd = false; !atEnd;) {
    const ssize_t count = readSome(input, chunk);
    if (count < 0) {
      outcome.inputErrors << QStringLiteral("lettura interrotta: %1").arg(strerror(errno));
      return outcome;
    }
    atEnd = count == 0;
    bytesRead += count;
    pending.append(chunk.data(), std::size_t(count));
    if (lineNumber == 0 && pending.starts_with("\xEF\xBB\xBF")) pending.erase(0, 3);

    lines.clear();
    std::size_t start = 0;
    while (start < pending.size()) {
      std::size_t end = pending.find('\n', start);
      if (end == std::string::npos && !atEnd) break;
      if (end == std::string::npos) end = pending.size();
      const std::string_view text(pending.data() + start, end - start);
      start = end + 1;
      ++lineNumber;
      if (isSkippedLine(text)) continue;
      if (layout) {
        lines.push_back({text, lineNumber});
        continue;
      }
      std::vector<std::string> header;
      if (!splitCsvLine(text, header)) {
        outcome.inputErrors << unclosedQuote(lineNumber);
        return outcome;
      }
      layout = readHeader(header, lineNumber, choice, outcome.inputErrors);
      if (!layout || !write(resultHeader() + '\n')) return outcome;
    }

    if (layout && !lines.empty()) workBlock(lines, *layout, choice, shares);
    for (Share& share : shares) {
      outcome.stars += share.stars;
      outcome.faulted += share.faulted;
      if (!write(share.out)) return outcome;
      if (!share.inputError.isEmpty()) {
        outcome.inputErrors << share.inputError;
        return outcome;
      }
      share.out.clear();
      share.stars = share.faulted = 0;
    }
    pending.erase(0, std::min(start, pending.size()));
    progress.update(outcome.stars, bytesRead);
  }
  if (!layout) {
    outcome.inputErrors << QStringLiteral(
        "il file non ha la riga di intestazione con i nomi delle colonne");
  }
  return outcome;
}

}  // namespace vespera
