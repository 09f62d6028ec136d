#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vespera {

// The text in Windows-1252, the code page the measurement file has always
// been written in (the degree sign is the byte 0xB0, è is 0xE8). Returns
// nothing when a character has no byte there (a Greek letter, an emoji, one
// of the five unassigned positions of 0x80-0x9F): such text is refused, never
// written with a stand-in character.
std::optional<QByteArray> encodeWindows1252(const QString& text);

}  // namespace vespera
