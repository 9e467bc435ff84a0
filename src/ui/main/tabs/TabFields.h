#pragma once

#include <QString>

class Dive;
class QGridLayout;
class QLabel;
class QWidget;
class SmartCheckBox;

// The read-only fields of the Settings and Technical tabs: a caption label named with an underscore
// after its prefix ("lbl_MaxCNS") keeping its string number, and a value label ("lblMaxCNS").
namespace TabFields {

// A flag box captioned by string `number`.
SmartCheckBox* flag(const char* name, const char* number, QWidget* parent);

// A grid of fields whose values take the room that is left; laid on `frame` when one is given.
QGridLayout* grid(QWidget* frame = nullptr);
// The field of `stem` on a new row of `grid`: the caption "lbl_<stem>" of string `number` beside the
// value "lbl<stem>".
void addField(QGridLayout* grid, QLabel*& caption, QLabel*& value, const char* stem, const char* number,
              QWidget* parent);
// A flag box on a new row of `grid`, across both columns.
SmartCheckBox* addFlag(QGridLayout* grid, const char* name, const char* number, QWidget* parent);

// A field switched off keeps its caption in grey and hides its value.
void setField(QLabel* caption, QLabel* value, bool on);

// A number as these tabs write it: no group separator, the system's decimal separator, and a
// whole number without decimals.
QString number(double value);
// A pressure in bar, in the display unit and followed by it.
QString pressure(float bar);
// The tank's volume unit: cubic feet for tank units 1, else litres.
QString volumeUnit(const Dive& dive);

} // namespace TabFields
