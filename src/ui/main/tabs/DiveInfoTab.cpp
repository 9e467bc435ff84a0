#include "DiveInfoTab.h"

#include "DiveInfoRules.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "Settings.h"

#include <QBoxLayout>

DiveInfoTab::DiveInfoTab(const char* name, int title, QWidget* parent) : QGroupBox(parent), m_title(title) {
    setObjectName(QLatin1String(name));
    setTag(this, QString::number(title));
}

void DiveInfoTab::fill(const Dive* dive) {
    if (dive)
        showDive(*dive);
}

void DiveInfoTab::enableAirControls(bool flag) {
    showAirFields(DiveInfoRules::tankFieldsOn(flag, Settings::instance().currentDiveComputer()));
}

void DiveInfoTab::enableDecoFlags(bool flag) {
    enableDecoBoxes(DiveInfoRules::decoFlagsEnabled(flag, Settings::instance().currentDiveComputer()));
}

QString DiveInfoTab::switchFor(const Dive& dive) {
    const DiveInfoRules::Mode mode = DiveInfoRules::modeOf(dive);
    enableNitroxControls(mode.nitrox);
    enableAirControls(mode.air);
    enableDecoFlags(mode.freeDive);
    return mode.text;
}

QGroupBox* DiveInfoTab::addFrame(const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

void DiveInfoTab::arrange(QBoxLayout* left, QBoxLayout* right) {
    left->addStretch();
    right->addStretch();
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    localizeForm(this);
    setTitle(getString(m_title)); // a window localises its own caption only as a child
}
