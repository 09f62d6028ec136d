// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web/page_session.h"

#include <array>
#include <string>
#include <string_view>

namespace vespera {

// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

// A message box's icon, "critical", "information" or "", and a window command, "exit",
// "print", "manual", "about" or "", as the page's script names them.
std::string_view iconName(int flags);
std::string_view commandName(WindowCommand command);

// Bytes as lower-case hexadecimal digits, two a byte.
std::string hexBytes(std::string_view bytes);

// Every field's text, at the field's index.
using FieldTexts = std::array<std::string, kFieldCount>;
FieldTexts textsOf(const FieldStore& fields);

// The outcome of a press as the page's script reads it:
//   {"steps": [{"box": BOX, "fields": {...}} | {"download": {"name", "hex"}, "written":
//    BOX | null, "failed": BOX, "handed": BOX, "fields": {...}}], "fields": {"Text1": ...,
//    ...}, "command": "exit" | "print" | "manual" | "about" | ""}
// with BOX {"prompt", "title", "icon"} and the icon "critical", "information" or "". The
// fields, named by their controls, are those whose text differs from `before`, the fields as
// the press found them: the page writes back what the handler changed and nothing else, so
// a box the handler left alone keeps what the user typed, even what the core cannot hold.
std::string outcomeJson(const PressOutcome& outcome, const FieldTexts& before,
                        const FieldStore& fields);

}  // namespace vespera
