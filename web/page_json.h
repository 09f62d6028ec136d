// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web/page_session.h"

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

// The outcome of a press as the page's script reads it:
//   {"steps": [{"box": BOX, "fields": {...}} | {"download": {"name", "hex"}, "written":
//    BOX | null, "failed": BOX, "handed": BOX, "fields": {...}}], "fields": {"Text1": ...,
//    ...}, "command": "exit" | "print" | "manual" | "about" | ""}
// with BOX {"prompt", "title", "icon"}, fields named by their controls and the icon
// "critical", "information" or "".
std::string outcomeJson(const PressOutcome& outcome, const FieldStore& fields);

}  // namespace vespera
