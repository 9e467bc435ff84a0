#include "GeneralTab.h"

#include "CodedLists.h"
#include "CommandFailure.h"
#include "DiveDataControl.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

GeneralTab::GeneralTab(DiveDataControl& data, const Controls& controls) : m_data(data), m_controls(controls) {
    for (auto it = m_controls.fields.cbegin(); it != m_controls.fields.cend(); ++it) {
        const QString column = it.key();
        connect(*it, &QLineEdit::textEdited, this,
                CommandFailure::guarded("dbData", "Error editing the field", [this, column](const QString& text) {
                    m_data.setValue(column, text.isEmpty() ? QVariant() : QVariant(text));
                }));
    }
    connect(m_controls.activity, &QComboBox::activated, this, [this] { cmbActivity_Click(); });
    connect(m_controls.weather, &QComboBox::activated, this, [this] { cmbWeather_Click(); });
    connect(m_controls.wetsuit, &QComboBox::activated, this, [this] { cmbWetsuit_Click(); });
}

void GeneralTab::fillCombos() {
    const auto fill = [](QComboBox* list, const CodedLists::CodedList& codes) {
        for (int code = 0; code < codes.count; ++code)
            list->addItem(getString(codes.firstString + code), code);
    };
    fill(m_controls.weather, CodedLists::WEATHER);
    fill(m_controls.activity, CodedLists::ACTIVITY);
    fill(m_controls.wetsuit, CodedLists::WETSUIT);
}

void GeneralTab::showGeneralInfo() {
    m_controls.temperatureUnit->setText(Internationalization::instance().getTemperatureString());
    const QPair<QComboBox*, CodedLists::CodedList> lists[] = {{m_controls.weather, CodedLists::WEATHER},
                                                              {m_controls.activity, CodedLists::ACTIVITY},
                                                              {m_controls.wetsuit, CodedLists::WETSUIT}};
    for (const auto& [list, codes] : lists)
        list->setCurrentIndex(CodedLists::listIndex(m_data.value(QLatin1String(codes.column)), codes.count));
}

void GeneralTab::showBoundFields() {
    // A logbook that cannot be written is shown read-only: nothing typed could be kept.
    const bool readOnly = m_data.isReadOnly();
    const bool onRow = m_data.hasCurrentRow();
    for (auto it = m_controls.fields.cbegin(); it != m_controls.fields.cend(); ++it) {
        (*it)->setText(m_data.value(it.key()).toString());
        (*it)->setReadOnly(!onRow || readOnly);
    }
    for (QComboBox* list : {m_controls.activity, m_controls.weather, m_controls.wetsuit})
        list->setEnabled(!readOnly);
}

void GeneralTab::cmbActivity_Click() {
    codedList_Click(m_controls.activity, CodedLists::ACTIVITY.column);
}
void GeneralTab::cmbWeather_Click() {
    codedList_Click(m_controls.weather, CodedLists::WEATHER.column);
}
void GeneralTab::cmbWetsuit_Click() {
    codedList_Click(m_controls.wetsuit, CodedLists::WETSUIT.column);
}

void GeneralTab::codedList_Click(QComboBox* list, const char* column) {
    if (m_data.recordCount() == 0)
        return;
    try {
        m_data.writeValue(QLatin1String(column), list->currentIndex());
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
    }
}
