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
QLineEdit* makeFieldBox(const FieldRow& row, QWidget* parent);
QLabel* makeLabel(const LabelRow& row, QWidget* parent);
QGroupBox* makeGroup(const FrameRow& row, QWidget* parent);
QPushButton* makeButton(const ButtonRow& row, QWidget* parent);
QPushButton* makeColouredButton(const QString& name, const QString& caption, const Twips& rect,
                                const FontChoice& font, const QColor& colour, QWidget* parent);
void applyFont(QWidget* widget, const FontChoice& wanted);

}  // namespace vespera
