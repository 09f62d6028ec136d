// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vespera {

// A line of the input, without its line end.
struct Line {
  std::string_view text;
  std::int64_t number;  // in the file, counting comments and blank lines
};

// Sizes the reader works with.
struct LineLimits {
  // Bytes asked of the input at a time.
  std::size_t blockSize = std::size_t(1) << 18;
  // The longest line, its line end left out: far more than a star needs, so a file without
  // line ends (a binary file, or one ending its lines with CR alone) is refused instead of
  // filling memory.
  std::size_t longestLine = std::size_t(1) << 20;
};

// Cuts a stream of bytes into lines, block by block, as it arrives: a line ends at LF or CR
// LF, and the last one also at a CR or where the input ends. A byte order mark at the very
// start is dropped. Empty lines are counted but not handed out, and a run of them costs no
// more than reading it.
class LineReader {
 public:
  // Reads up to `size` bytes into `into`, as read() does: the count read, 0 at the end of
  // the input, -1 with errno set on a failure.
  using ReadSome = std::function<std::int64_t(char* into, std::size_t size)>;

  enum class Status : std::uint8_t {
    More,       // the input goes on
    End,        // the input has ended: these are its last lines
    TooLong,    // a line is longer than the limit: these are the lines before it
    ReadFailed  // the input could not be read on: these are the lines before
  };

  // The first line gets `firstLineNumber`.
  explicit LineReader(ReadSome readSome, std::int64_t firstLineNumber = 1, LineLimits limits = {});

  // Reads one block and puts the lines it completes into `lines` (in place of those of the
  // last call, whose texts it no longer keeps). Once it has said anything but More, it
  // says the same again with no lines.
  Status readBlock(std::vector<Line>& lines);

  // The number of the last line counted: after TooLong, the long line's.
  std::int64_t lineNumber() const { return lineNumber_; }
  std::int64_t bytesRead() const { return bytesRead_; }
  // After ReadFailed, the errno of the read.
  int readError() const { return readError_; }

 private:
  Status cutLines(bool atEnd, std::vector<Line>& lines);

  ReadSome readSome_;
  LineLimits limits_;
  std::string pending_;        // read, not handed out yet: the start of a line still arriving
  std::size_t handedOut_ = 0;  // bytes of pending_ the last call's lines took
  std::size_t searched_ = 0;   // bytes of pending_ known to hold no line end
  bool atStart_ = true;        // no byte looked at yet (a byte order mark may come)
  std::int64_t lineNumber_;
  std::int64_t bytesRead_ = 0;
  int readError_ = 0;
  Status status_ = Status::More;
};

}  // namespace vespera
