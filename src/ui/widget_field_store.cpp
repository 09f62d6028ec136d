#include "ui/widget_field_store.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vespera {

WidgetFieldStore::WidgetFieldStore(QWidget& window) : window_(window) {
  for (Field field : kAllFields) {
    auto* box = window.findChild<QLineEdit*>(fieldName(field));
    Q_ASSERT_X(box, "WidgetFieldStore", "every field has its text box");
    boxes_[static_cast<std::size_t>(field)] = box;
  }
}

QString WidgetFieldStore::text(Field field) const {
  return boxes_[static_cast<std::size_t>(field)]->text();
}

void WidgetFieldStore::setText(Field field, const QString& text) {
  boxes_[static_cast<std::size_t>(field)]->setText(text);
}

QString WidgetFieldStore::caption(const QString& controlName) const {
  if (const auto* label = window_.findChild<QLabel*>(controlName)) return label->text();
  if (const auto* group = window_.findChild<QGroupBox*>(controlName)) return group->title();
  return QString();
}

}  // namespace vespera
