#include "TabFields.h"

#include "FormLocalizer.h"
#include "Numeric.h"
#include "SmartCheckBox.h"

#include <QGridLayout>
#include <QLabel>

namespace TabFields {

QLabel* caption(const char* name, const char* number, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    setTag(label, QLatin1String(number));
    return label;
}

QLabel* value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

SmartCheckBox* flag(const char* name, const char* number, QWidget* parent) {
    auto* box = new SmartCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    setTag(box, QLatin1String(number));
    return box;
}

void addRow(QGridLayout* grid, QLabel* caption, QLabel* value) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
}

void setField(QLabel* caption, QLabel* value, bool on) {
    caption->setEnabled(on);
    value->setVisible(on);
}

QString number(double value) {
    return num::singleToText(float(value)).trimmed();
}

} // namespace TabFields
