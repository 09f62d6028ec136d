#pragma once

#include "ui/form1_layout.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vespera {

// Creates one control of the main window from its row of the layout tables,
// placed in pixels, with its own font and colour where it has one.
QLineEdit* makeFieldBox(const FieldSpec& spec, QWidget* parent);
QLabel* makeLabel(const LabelSpec& spec, QWidget* parent);
QGroupBox* makeGroup(const FrameSpec& spec, QWidget* parent);
QPushButton* makeButton(const ButtonSpec& spec, QWidget* parent);
QPushButton* makeColouredButton(const QString& name, const QString& caption, const Twips& rect,
                                const FontSpec& font, const QColor& colour, QWidget* parent);
void applyFont(QWidget* widget, const FontSpec& font);

}  // namespace vespera
