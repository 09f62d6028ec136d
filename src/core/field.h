#pragma once

#include <QString>

#include <array>
#include <optional>

namespace vespera {

// The twenty text boxes of the main window. Every value the calculator knows
// lives as the text of one of them; handlers address them by these names.
enum class Field {
  Text1,
  Text2,
  Text3,
  Text4,
  Text5,
  Text6,
  Text7,
  Text8,
  Text9,
  Text10,
  Text11,
  Text12,
  Text13,
  Text14,
  Text15,
  Text16,
  Text17,
  Text18,
  Text19,
  NomeFile,
};

inline constexpr std::array kAllFields = {
    Field::Text1,  Field::Text2,  Field::Text3,  Field::Text4,  Field::Text5,
    Field::Text6,  Field::Text7,  Field::Text8,  Field::Text9,  Field::Text10,
    Field::Text11, Field::Text12, Field::Text13, Field::Text14, Field::Text15,
    Field::Text16, Field::Text17, Field::Text18, Field::Text19, Field::NomeFile,
};

// The control name of a field ("Text3", "NomeFile"), which is also the
// objectName of its widget.
QString fieldName(Field field);
std::optional<Field> fieldFromName(const QString& name);

}  // namespace vespera
