#include "TabFields.h"

#include "Dive.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "SmartCheckBox.h"

#include <QGridLayout>
#include <QLabel>

namespace TabFields {

namespace {
QLabel* newCaption(const QByteArray& name, const char* number, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    setTag(label, QLatin1String(number));
    return label;
}

QLabel* newValue(const QByteArray& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

SmartCheckBox* flag(const char* name, const char* number, QWidget* parent) {
    auto* box = new SmartCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    setTag(box, QLatin1String(number));
    return box;
}

QGridLayout* grid(QWidget* frame) {
    auto* fields = new QGridLayout(frame);
    fields->setColumnStretch(1, 1);
    return fields;
}

void addField(QGridLayout* grid, QLabel*& caption, QLabel*& value, const char* stem, const char* number,
              QWidget* parent) {
    caption = newCaption(QByteArray("lbl_") + stem, number, parent);
    value = newValue(QByteArray("lbl") + stem, parent);
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
}

SmartCheckBox* addFlag(QGridLayout* grid, const char* name, const char* number, QWidget* parent) {
    SmartCheckBox* box = flag(name, number, parent);
    grid->addWidget(box, grid->rowCount(), 0, 1, 2);
    return box;
}

void setField(QLabel* caption, QLabel* value, bool on) {
    caption->setEnabled(on);
    value->setVisible(on);
}

QString number(double value) {
    return num::singleToText(float(value)).trimmed();
}

QString pressure(float bar) {
    const Internationalization& units = Internationalization::instance();
    return number(units.getPressureValue(bar)) + u' ' + units.getPressureString();
}

QString volumeUnit(const Dive& dive) {
    return getString(dive.getVolumeMeasure() == 1 ? 1087 : 1086);
}

} // namespace TabFields
