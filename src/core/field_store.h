// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/caption.h"
#include "core/field.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace vespera {

// Where the handlers find the window's state: the text of each field and the captions that
// the measurement record copies, all in UTF-8. The window binds it to its widgets; the
// batch tool and the tests use MemoryFieldStore.
class FieldStore {
 public:
  virtual ~FieldStore() = default;
  virtual std::string text(Field field) const = 0;
  virtual void setText(Field field, std::string text) = 0;
  virtual std::string caption(Caption caption) const = 0;
};

// What a fresh window shows in the file-name box.
inline constexpr std::string_view kDefaultFileName = "C:\\.txt";

// Fields and captions held in memory. A new store holds what a fresh window's fields hold
// (all empty, the file name "C:\.txt"), and empty captions until they are set.
class MemoryFieldStore : public FieldStore {
 public:
  MemoryFieldStore() { texts_[indexOf(Field::FileName)] = kDefaultFileName; }
  std::string text(Field field) const override { return texts_[indexOf(field)]; }
  void setText(Field field, std::string text) override { texts_[indexOf(field)] = std::move(text); }
  // The text itself, without a copy, for a reader that holds this store by its own type.
  const std::string& heldText(Field field) const { return texts_[indexOf(field)]; }
  std::string caption(Caption caption) const override { return captions_[indexOf(caption)]; }
  void setCaption(Caption caption, std::string_view text) { captions_[indexOf(caption)] = text; }

 private:
  std::array<std::string, kFieldCount> texts_;
  std::array<std::string, kCaptionCount> captions_;
};

}  // namespace vespera
