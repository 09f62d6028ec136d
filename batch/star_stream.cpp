// SPDX-License-Identifier: GPL-3.0-or-later

#include "star_stream.h"

#include "calc/star_calculation.h"
#include "csv_line.h"
#include "line_reader.h"
#include "result_table.h"
#include "system_reason.h"

#ifndef _WIN32
#include <poll.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <future>
#include <optional>
#include <span>
#include <system_error>
#include <thread>

namespace vespera {
namespace {

// Fewer lines than this are not worth a thread of their own.
constexpr std::size_t kLeastLinesShared = 512;

// On processors with AVX-512, glibc's memcpy leaves the upper halves of the vector
// registers marked in use, and until a VZEROUPPER clears them every plain SSE instruction
// that follows pays for the transition (the "AVX-SSE transition" of Intel's optimization
// manual). The calculation of a star is such SSE arithmetic, right after the copying of
// its line: clearing the registers in between makes it about twice as fast there. Does
// nothing on processors without AVX.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

void clearUpperVectorRegisters() {
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) zeroUpper();
}
#else
void clearUpperVectorRegisters() {}
#endif

// Writes bytes to the output; false once a write has failed.
using Writer = std::function<bool(std::string_view bytes)>;

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
    if (isSkippedLine(line.text)) continue;
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
    for (std::size_t i = started; i < used; ++i) workShare(part(i), layout, choice, shares[i]);
  }
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

std::int64_t readSome(int input, char* into, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(input, into, size);
    if (count >= 0 || (errno != EINTR && !waitFor(input, false))) return count;
  }
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

// Takes the header from the first of `lines` that is not skipped and writes the results'
// header; returns the lines after it, or nothing when the header is wrong or the write
// failed.
std::optional<std::span<const Line>> takeHeader(std::span<const Line> lines,
                                                const ColumnChoice& choice,
                                                std::optional<StarLayout>& layout,
                                                StreamOutcome& outcome, const Writer& write) {
  while (!layout && !lines.empty()) {
    const Line& line = lines.front();
    lines = lines.subspan(1);
    if (isSkippedLine(line.text)) continue;
    std::vector<std::string> header;
    if (!splitCsvLine(line.text, header)) {
      outcome.inputErrors << QString::fromStdString(unclosedQuote(line.number));
      return std::nullopt;
    }
    layout = readHeader(header, line.number, choice, outcome.inputErrors);
    if (!layout || !write(resultHeader() + '\n')) return std::nullopt;
  }
  return lines;
}

// Writes what each share made, in order; false when the output refused it or the input
// stopped a share.
bool writeShares(std::vector<Share>& shares, StreamOutcome& outcome, const Writer& write) {
  for (Share& share : shares) {
    outcome.stars += share.stars;
    outcome.faulted += share.faulted;
    if (!write(share.out)) return false;
    if (!share.inputError.empty()) {
      outcome.inputErrors << QString::fromStdString(share.inputError);
      return false;
    }
    share.out.clear();
    share.stars = share.faulted = 0;
  }
  return true;
}

}  // namespace

StreamOutcome streamStars(int input, int output, const ColumnChoice& choice, Progress& progress) {
  StreamOutcome outcome;
  std::optional<StarLayout> layout;
  std::vector<Share> shares(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<Line> lines;
  LineReader reader([input](char* into, std::size_t size) { return readSome(input, into, size); });
  const Writer write = [&](std::string_view bytes) {
    if (outcome.writeError == 0) outcome.writeError = writeAll(output, bytes);
    return outcome.writeError == 0;
  };
  LineReader::Status status = LineReader::Status::More;
  while (status == LineReader::Status::More) {
    status = reader.readBlock(lines);
    const auto stars = takeHeader(lines, choice, layout, outcome, write);
    if (!stars) return outcome;
    // Stars come only after the header, which has set the layout.
    if (!stars->empty() && layout) workBlock(*stars, *layout, choice, shares);
    if (!writeShares(shares, outcome, write)) return outcome;
    progress.update(outcome.stars, reader.bytesRead());
  }
  if (status == LineReader::Status::TooLong) {
    outcome.inputErrors << tooLong(reader.lineNumber());
  } else if (status == LineReader::Status::ReadFailed) {
    outcome.inputErrors
        << QStringLiteral("lettura interrotta: %1").arg(systemReason(reader.readError()));
  } else if (!layout) {
    outcome.inputErrors << QStringLiteral(
        "il file non ha la riga di intestazione con i nomi delle colonne");
  }
  return outcome;
}

}  // namespace vespera
