// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_json.h"

#include <cstdio>

namespace vespera {
namespace {

std::string fieldsJson(const FieldTexts& texts, const FieldTexts& before) {
  std::string json = "{";
  for (const FieldRow& row : formFields()) {
    const std::string& text = texts[indexOf(row.field)];
    if (text == before[indexOf(row.field)]) continue;
    if (json.size() > 1) json += ',';
    json += jsonString(row.control) + ':' + jsonString(text);
  }
  return json + '}';
}

std::string boxJson(const ShownBox& box) {
  return R"({"prompt":)" + jsonString(box.prompt) + ",\"title\":" + jsonString(box.title) +
         ",\"icon\":" + jsonString(iconName(box.flags)) + '}';
}

std::string stepJson(const PageStep& step, const FieldTexts& before) {
  if (const auto* download = std::get_if<Download>(&step)) {
    const ShownBox& shown = download->written ? *download->written : download->failed;
    return R"({"download":{"name":)" + jsonString(download->fileName) + R"(,"hex":")" +
           hexBytes(download->bytes) + R"("},"written":)" +
           (download->written ? boxJson(*download->written) : "null") + R"(,"failed":)" +
           boxJson(download->failed) + R"(,"handed":)" + boxJson(download->handed) +
           R"(,"fields":)" + fieldsJson(shown.fields, before) + '}';
  }
  const auto& box = std::get<ShownBox>(step);
  return R"({"box":)" + boxJson(box) + ",\"fields\":" + fieldsJson(box.fields, before) + '}';
}

}  // namespace

std::string_view iconName(int flags) {
  switch (flags) {
    case kCriticalIcon: return "critical";
    case kInformationIcon: return "information";
    default: return "";
  }
}

std::string_view commandName(WindowCommand command) {
  switch (command) {
    case WindowCommand::Exit: return "exit";
    case WindowCommand::Print: return "print";
    case WindowCommand::OpenManual: return "manual";
    case WindowCommand::OpenAbout: return "about";
    case WindowCommand::None: return "";
  }
  return "";
}

std::string hexBytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += kDigits[byte >> 4u];
    text += kDigits[byte & 15u];
  }
  return text;
}

std::string jsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      json += escape;
    } else {
      json += c;  // UTF-8 passes as it is
    }
  }
  return json + '"';
}

FieldTexts textsOf(const FieldStore& fields) {
  FieldTexts texts;
  for (const Field field : kAllFields) texts[indexOf(field)] = fields.text(field);
  return texts;
}

std::string outcomeJson(const PressOutcome& outcome, const FieldTexts& before,
                        const FieldStore& fields) {
  std::string json = R"({"steps":[)";
  for (const PageStep& step : outcome.steps) {
    if (json.back() != '[') json += ',';
    json += stepJson(step, before);
  }
  return json + "],\"fields\":" + fieldsJson(textsOf(fields), before) +
         ",\"command\":" + jsonString(commandName(outcome.command)) + '}';
}

}  // namespace vespera
