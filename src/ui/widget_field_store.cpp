// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/widget_field_store.h"

#include "form/form_layout.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vespera {

WidgetFieldStore::WidgetFieldStore(QWidget& window) : window_(&window) {
  for (Field field : kAllFields) {
    auto* box = window.findChild<QLineEdit*>(qText(controlOf(field)));
    Q_ASSERT_X(box, "WidgetFieldStore", "every field has its text box");
    boxes_[indexOf(field)] = box;
  }
}

std::string WidgetFieldStore::text(Field field) const {
  return boxes_[indexOf(field)]->text().toStdString();
}

void WidgetFieldStore::setText(Field field, std::string text) {
  boxes_[indexOf(field)]->setText(qText(text));
}

std::string WidgetFieldStore::caption(Caption caption) const {
  const QString control = qText(controlOf(caption));
  if (const auto* label = window_->findChild<QLabel*>(control)) return label->text().toStdString();
  if (const auto* group = window_->findChild<QGroupBox*>(control)) {
    return group->title().toStdString();
  }
  return {};
}

}  // namespace vespera
