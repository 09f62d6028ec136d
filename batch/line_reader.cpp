// SPDX-License-Identifier: GPL-3.0-or-later

#include "line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vespera {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(ReadSome readSome, std::int64_t firstLineNumber, LineLimits limits)
    : readSome_(std::move(readSome)), limits_(limits), lineNumber_(firstLineNumber - 1) {
  // The start of a line still arriving, the CR that may end it, and a block.
  pending_.reserve(limits_.longestLine + 1 + limits_.blockSize);
}

LineReader::Status LineReader::readBlock(std::vector<Line>& lines) {
  lines.clear();
  if (status_ != Status::More) return status_;
  pending_.erase(0, handedOut_);
  searched_ = std::max(searched_, handedOut_) - handedOut_;
  handedOut_ = 0;
  const std::size_t kept = pending_.size();
  pending_.resize(kept + limits_.blockSize);
  const std::int64_t count = readSome_(pending_.data() + kept, limits_.blockSize);
  if (count < 0) {
    readError_ = errno;
    pending_.resize(kept);
    return status_ = Status::ReadFailed;
  }
  pending_.resize(kept + std::size_t(count));
  bytesRead_ += count;
  const bool atEnd = count == 0;
  // The mark is looked for once its three bytes can be there, however the reads cut them.
  if (atStart_ && (pending_.size() >= kByteOrderMark.size() || atEnd)) {
    atStart_ = false;
    if (pending_.starts_with(kByteOrderMark)) pending_.erase(0, kByteOrderMark.size());
  }
  if (atStart_) return Status::More;
  return status_ = cutLines(atEnd, lines);
}

LineReader::Status LineReader::cutLines(bool atEnd, std::vector<Line>& lines) {
  std::size_t start = 0;
  while (start < pending_.size()) {
    if (pending_[start] == '\n') {
      // A run of empty lines is skipped at once, so padding of blank lines costs no more
      // than reading it; strspn stops at the string's terminating 0 at the latest.
      const std::size_t run = start + std::strspn(pending_.c_str() + start, "\n");
      lineNumber_ += std::int64_t(run - start);
      start = run;
      continue;
    }
    const std::size_t newline = std::string_view(pending_).find('\n', std::max(start, searched_));
    const bool complete = newline != std::string_view::npos;
    const std::size_t end = complete ? newline : pending_.size();
    searched_ = end;
    std::string_view text(pending_.data() + start, end - start);
    // A CR before LF, or as the input's very last byte, ends the line with it.
    if ((complete || atEnd) && text.ends_with('\r')) text.remove_suffix(1);
    // A line still arriving may yet end in CR LF: its CR is not held against it.
    if (text.size() > limits_.longestLine + (complete || atEnd ? 0 : 1)) {
      ++lineNumber_;
      return Status::TooLong;
    }
    if (!complete && !atEnd) break;
    ++lineNumber_;
    if (!text.empty()) lines.push_back({text, lineNumber_});
    start = end + 1;
  }
  handedOut_ = std::min(start, pending_.size());
  return atEnd ? Status::End : Status::More;
}

}  // namespace vespera
