// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vespera {

// The characters of a number in the C form ("-12.5e-3"): on the stack for any number a
// person types, on the heap only for longer ones.
class PlainNumber {
 public:
  void add(char c) {
    if (size_ < kOnStack) {
      onStack_[size_++] = c;
      return;
    }
    if (size_ == kOnStack) onHeap_.assign(onStack_, kOnStack);
    onHeap_ += c;
    ++size_;
  }
  void cut(std::size_t size) {
    size_ = size;
    if (size_ > kOnStack) onHeap_.resize(size_);
  }
  std::size_t size() const { return size_; }
  std::string_view view() const { return {size_ <= kOnStack ? onStack_ : onHeap_.data(), size_}; }

 private:
  static constexpr std::size_t kOnStack = 64;
  char onStack_[kOnStack];
  std::string onHeap_;
  std::size_t size_ = 0;
};

// A number in the C form to the nearest double; nothing when it lies beyond the double
// range, above (overflow) or below the smallest subnormal (underflow). Independent of the
// process's locale.
std::optional<double> readDecimal(std::string_view plain);
std::optional<long double> readWideDecimal(std::string_view plain);

// The shortest C form of a finite value with at most `significant` digits, as printf's
// "%.*g" writes it in the C locale ("1.5", "3.086e+15").
std::string writeDecimal(double value, int significant);

}  // namespace vespera
