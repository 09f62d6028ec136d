#include "star_stream.h"

#include "csv_line.h"
#include "result_table.h"
#include "star_calculation.h"
#include "system_reason.h"
#include "vector_registers.h"

#ifndef _WIN32
#include <poll.h>
#endif
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <span>
#include <system_error>
#include <thread>

namespace vespera {
namespace {

constexpr std::size_t kReadSize = std::size_t(1) << 18;
// Fewer lines than this are not worth a thread of their own.
constexpr std::size_t kLeastLinesShared = 512;

struct Line {
  std::string_view text;
  qint64 number;  // in the file, counting comments and blank lines
};

std::string unclosedQuote(qint64 line) {
  return "riga " + std::to_string(line) + ": virgolette aperte e non chiuse sulla riga";
}

// What one core made of its share of a block: the output lines, and where the input
// stopped it, the fault (the lines before it are in `out`).
struct Share {
  std::string out;
  qint64 stars = 0;
  qint64 faulted = 0;
  std::string inputError;
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
    if (!share.inputError.empty()) return;
    clearUpperVectorRegisters();
    const StarResult result = calculateStar(star, layout.surfaceSource, layout.distanceSource);
    share.faulted += result.error.empty() ? 0 : 1;
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
  std::size_t started = 1;
  try {
    for (; started < used; ++started) {
      others.push_back(std::async(std::launch::async, workShare, part(started), std::cref(layout),
                                  std::cref(choice), std::ref(shares[started])));
    }
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): the shares left are worked here.
  }
  for (std::size_t i = started; i < used; ++i) workShare(part(i), layout, choice, shares[i]);
  workShare(part(0), layout, choice, shares[0]);
  for (auto& other : others) other.get();
}

// Waits on a non-blocking descriptor instead of taking "try again" for a failure. The C
// library's descriptors on Windows are never non-blocking: there, nothing is waited for.
bool waitFor(int descriptor, bool toWrite) {
#ifdef _WIN32
  (void)descriptor;
  (void)toWrite;
  return false;
#else
  pollfd wanted{descriptor, short(toWrite ? POLLOUT : POLLIN), 0};
  return (errno == EAGAIN || errno == EWOULDBLOCK) &&
         (::poll(&wanted, 1, -1) >= 0 || errno == EINTR);
#endif
}

ssize_t readSome(int input, char* into, std::size_t size) {
  ssize_t count = 0;
  do {
    count = ::read(input, into, size);
  } while (count < 0 && (errno == EINTR || waitFor(input, false)));
  return count;
}

// Returns 0 when all of bytes went out, or the errno of the write that failed.
int writeAll(int output, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(output, bytes.data(), bytes.size());
    if (count < 0 && (errno == EINTR || waitFor(output, true))) continue;
    if (count < 0) return errno;
    bytes.remove_prefix(std::size_t(count));
  }
  return 0;
}

QString tooLong(qint64 line) {
  return QStringLiteral(
             "riga %1: pi\u00F9 lunga di 1 MiB, il massimo per una riga (il file \u00E8 un CSV "
             "di testo, con le righe separate da a capo?)")
      .arg(line);
}

}  // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): a block's steps read best in order
StreamOutcome streamStars(int input, int output, const ColumnChoice& choice, Progress& progress) {
  StreamOutcome outcome;
  std::optional<StarLayout> layout;
  std::vector<Share> shares(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<Line> lines;
  // Read, not yet worked: the start of a line still arriving, at most kLongestLine.
  std::string pending;
  pending.reserve(kLongestLine + kReadSize);
  std::size_t searched = 0;  // the bytes of pending known to hold no line end
  qint64 lineNumber = 0;
  qint64 bytesRead = 0;
  const auto write = [&](std::string_view bytes) {
    if (outcome.writeError == 0) outcome.writeError = writeAll(output, bytes);
    return outcome.writeError == 0;
  };

  for (bool atEnd = false; !atEnd;) {
    const std::size_t kept = pending.size();
    pending.resize(kept + kReadSize);
    const ssize_t count = readSome(input, pending.data() + kept, kReadSize);
    if (count < 0) {
      outcome.inputErrors << QStringLiteral("lettura interrotta: %1").arg(systemReason(errno));
      return outcome;
    }
    pending.resize(kept + std::size_t(count));
    atEnd = count == 0;
    bytesRead += count;
    if (lineNumber == 0 && pending.starts_with("\xEF\xBB\xBF")) {
      pending.erase(0, 3);
      searched = 0;
    }

    lines.clear();
    std::size_t start = 0;
    while (start < pending.size()) {
      if (pending[start] == '\n') {
        // A run of empty lines is skipped at once, so padding of blank lines costs no more
        // than reading it; strspn stops at the string's terminating 0 at the latest.
        const std::size_t run = start + std::strspn(pending.c_str() + start, "\n");
        lineNumber += qint64(run - start);
        start = run;
        continue;
      }
      const std::size_t newline = std::string_view(pending).find('\n', std::max(start, searched));
      const std::size_t end = newline == std::string_view::npos ? pending.size() : newline;
      searched = end;
      if (end - start > kLongestLine) {
        outcome.inputErrors << tooLong(lineNumber + 1);
        return outcome;
      }
      if (newline == std::string_view::npos && !atEnd) break;
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
        outcome.inputErrors << QString::fromStdString(unclosedQuote(lineNumber));
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
      if (!share.inputError.empty()) {
        outcome.inputErrors << QString::fromStdString(share.inputError);
        return outcome;
      }
      share.out.clear();
      share.stars = share.faulted = 0;
    }
    start = std::min(start, pending.size());
    pending.erase(0, start);
    searched = std::max(searched, start) - start;
    progress.update(outcome.stars, bytesRead);
  }
  if (!layout) {
    outcome.inputErrors << QStringLiteral(
        "il file non ha la riga di intestazione con i nomi delle colonne");
  }
  return outcome;
}

}  // namespace vespera
