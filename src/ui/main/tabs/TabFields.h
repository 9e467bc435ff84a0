#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;
class SmartCheckBox;

// The read-only fields of the Settings and Technical tabs: a caption label named with an underscore
// after its prefix ("lbl_MaxCNS") keeping its string number, and a value label ("lblMaxCNS").
namespace TabFields {

QLabel* caption(const char* name, const char* number, QWidget* parent);
QLabel* value(const char* name, QWidget* parent);
// A flag box captioned by string `number`.
SmartCheckBox* flag(const char* name, const char* number, QWidget* parent);

// Caption and value side by side on a new row of `grid`.
void addRow(QGridLayout* grid, QLabel* caption, QLabel* value);

// A field switched off keeps its caption in grey and hides its value.
void setField(QLabel* caption, QLabel* value, bool on);

// A number as these tabs write it: no group separator, the system's decimal separator, and a
// whole number without decimals.
QString number(double value);

} // namespace TabFields
