#include "DcSettingsLists.h"
#include "MainModule.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmDiveComputerSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimeEdit>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {
const QDateTime NOW(QDate(2005, 6, 7), QTime(8, 9, 10, 500));

// The window on model `model`, its record made at NOW.
struct Window {
    explicit Window(int model = 1, int measureUnit = 0) {
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.storeSetting(QStringLiteral("MeasureUnit"), QString::number(measureUnit));
        env.restart();
        env.fakes.clock->current = NOW;
        w = new frmDiveComputerSettings;
    }
    ~Window() {
        delete w;
        QLocale::setDefault(QLocale::c());
    }
    TestEnvironment env;
    frmDiveComputerSettings* w;
};

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Every field of a record, named, so that a difference reads as the field that differs.
QStringList fields(const dcSettings& s) {
    return {QStringLiteral("UnitDepth=%1").arg(s.UnitDepth()),
            QStringLiteral("UnitTemperature=%1").arg(s.UnitTemperature()),
            QStringLiteral("UnitTank=%1").arg(s.UnitTank()),
            QStringLiteral("WaterType=%1").arg(s.WaterType()),
            QStringLiteral("Altitude=%1").arg(s.Altitude()),
            QStringLiteral("SetBeep=%1").arg(s.SetBeep()),
            QStringLiteral("SetUncontrolledAscent=%1").arg(s.SetUncontrolledAscent()),
            QStringLiteral("FlagReserve100=%1").arg(s.FlagReserve100()),
            QStringLiteral("Reserve100=%1").arg(s.Reserve100()),
            QStringLiteral("Reserve50=%1").arg(s.Reserve50()),
            QStringLiteral("VolumeLTTank=%1").arg(double(s.VolumeLTTank())),
            QStringLiteral("VolumeCUFTTank=%1").arg(double(s.VolumeCUFTTank())),
            QStringLiteral("PressurePsiTank=%1").arg(s.PressurePsiTank()),
            QStringLiteral("diveType=%1").arg(s.diveType()),
            QStringLiteral("PercO2=%1").arg(s.PercO2()),
            QStringLiteral("PPO2Max=%1").arg(double(s.PPO2Max())),
            QStringLiteral("dateDC=%1").arg(s.dateDC().toString(Qt::ISODateWithMs)),
            QStringLiteral("dateUser=%1").arg(s.dateUser().toString(Qt::ISODateWithMs))};
}
} // namespace

class tst_frmDiveComputerSettings : public QObject {
    Q_OBJECT
private slots:
    void newWindowShows();
    void notLocalised();
    void modeList_data();
    void modeList();
    void tankUnitSwitch();
    void volumeText_data();
    void volumeText();
    void checkBoxCaptions();
    void roundTrip_data();
    void roundTrip();
    void ppo2StoredInBar_data();
    void ppo2StoredInBar();
    void ppo2Index_data();
    void ppo2Index();
    void listPositions_data();
    void listPositions();
    void outOfRangeShownNearest();
    void buttonsWithoutAction();
    void screenshots();
};

void tst_frmDiveComputerSettings::newWindowShows() {
    Window f;
    frmDiveComputerSettings& w = *f.w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(w.tabMain->currentIndex(), 0);
    QVERIFY(w.optSalt->isChecked() && !w.optFresh->isChecked());
    QVERIFY(w.optC->isChecked() && !w.optF->isChecked());
    QVERIFY(w.otpMT->isChecked() && !w.optFT->isChecked());
    for (QCheckBox* box : {w.chkBeep, w.chkUNCAscent, w.chkReserveAlarm}) {
        QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), QStringLiteral("OFF"));
    }
    QCOMPARE(w.cmbProgram->currentText(), QStringLiteral("P1"));
    QCOMPARE(w.cmbMode->currentText(), QStringLiteral("Air"));
    QCOMPARE(w.sliderO2Mix->value(), 21);
    QCOMPARE(w.txtO2Mix->text(), QStringLiteral("21"));
    QCOMPARE(w.cmbPPO2Max->currentText(), QStringLiteral("1.2"));
    QVERIFY(w.optBAR->isChecked() && !w.optPSI->isChecked());
    QCOMPARE(w.cmb100Reserve->currentText(), QStringLiteral("80"));
    QCOMPARE(w.cmb50Reserve->currentText(), QStringLiteral("50"));
    QCOMPARE(w.sliderVolume->value(), 0);
    QCOMPARE(w.txtVolume->text(), QStringLiteral("0"));
    QVERIFY(!w.sliderPressure->isEnabled());
    QCOMPARE(w.sliderPressure->value(), 0);
    QCOMPARE(w.txtPressure->text(), QStringLiteral("0"));
    for (QDateEdit* date : {w.dateDC, w.dateUser})
        QCOMPARE(date->date(), NOW.date());
    for (QTimeEdit* time : {w.timeDC, w.timeUser})
        QCOMPARE(time->time().toString(QStringLiteral("HH:mm:ss")), QStringLiteral("08:09:10"));
    QVERIFY(isFormLoaded(QStringLiteral("frmDiveComputerSettings")));
}

void tst_frmDiveComputerSettings::notLocalised() {
    // Italian is the program's language here; the window keeps its own captions.
    Window f;
    frmDiveComputerSettings& w = *f.w;
    QCOMPARE(w.tabMain->tabText(1), QStringLiteral("Tab 1"));
    QCOMPARE(w.lblPPO2Max->text(), QStringLiteral("1910 PPO2 Max:"));
    QCOMPARE(w.lblMode->text(), QStringLiteral("xxxx Mode:"));
    QCOMPARE(w.btnOk->text(), QStringLiteral("1013 Close"));
    QCOMPARE(w.Label1->text(), QStringLiteral("xxxx Dive Computer Settings"));
}

void tst_frmDiveComputerSettings::modeList_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVariantList>("data");
    const QStringList three{"Air", "Bottom Time", "Nitrox"};
    for (int model : {1, 2, 4, 32})
        QTest::addRow("model %d", model) << model << three << QVariantList{0, 1, 2};
    for (int model : {8, 16})
        QTest::addRow("model %d, air-integrated", model) << model << QStringList{"Air", "Nitrox"} << QVariantList{0, 2};
}

void tst_frmDiveComputerSettings::modeList() {
    QFETCH(int, model);
    QFETCH(QStringList, texts);
    QFETCH(QVariantList, data);
    Window f(model);
    QCOMPARE(itemTexts(f.w->cmbMode), texts);
    for (int i = 0; i < data.size(); ++i)
        QCOMPARE(f.w->cmbMode->itemData(i), data.at(i));
    // Position 1 is whatever the list holds there.
    dcSettings record;
    record.setDiveType(1);
    f.w->showDcSettings(record);
    QCOMPARE(f.w->cmbMode->currentText(), texts.at(1));
}

void tst_frmDiveComputerSettings::tankUnitSwitch() {
    Window f;
    frmDiveComputerSettings& w = *f.w;
    w.optPSI->click();
    QVERIFY(w.optPSI->isChecked() && !w.optBAR->isChecked());
    QCOMPARE(itemTexts(w.cmb100Reserve), (QStringList{"1160", "1305", "1450", "1595", "1740"}));
    QCOMPARE(itemTexts(w.cmb50Reserve), (QStringList{"725", "870", "1015"}));
    QCOMPARE(w.cmb100Reserve->currentIndex(), 0);
    QVERIFY(w.sliderPressure->isEnabled());
    QCOMPARE(w.sliderPressure->maximum(), 3999);
    QCOMPARE(w.sliderVolume->singleStep(), 1);
    w.sliderPressure->setValue(2900);
    QCOMPARE(w.txtPressure->text(), QStringLiteral("2900"));
    w.cmb100Reserve->setCurrentIndex(3);

    w.optBAR->click();
    QCOMPARE(itemTexts(w.cmb100Reserve), (QStringList{"80", "90", "100", "110", "120"}));
    QCOMPARE(itemTexts(w.cmb50Reserve), (QStringList{"50", "60", "70"}));
    QCOMPARE(w.cmb100Reserve->currentIndex(), 0);
    QVERIFY(!w.sliderPressure->isEnabled());
    QCOMPARE(w.sliderPressure->value(), 2900);
    QCOMPARE(w.sliderVolume->singleStep(), 10);
    QCOMPARE(w.sliderVolume->pageStep(), 10);
}

void tst_frmDiveComputerSettings::volumeText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("psi");
    QTest::addColumn<QString>("text");
    QTest::newRow("litres") << "C" << false << "12.3";
    QTest::newRow("litres, German") << "de_DE" << false << "12,3";
    QTest::newRow("cubic feet") << "C" << true << "123";
    QTest::newRow("cubic feet, German") << "de_DE" << true << "123";
}

void tst_frmDiveComputerSettings::volumeText() {
    QFETCH(QString, locale);
    QFETCH(bool, psi);
    QFETCH(QString, text);
    Window f;
    QLocale::setDefault(QLocale(locale));
    if (psi)
        f.w->optPSI->click();
    f.w->sliderVolume->setValue(123);
    QCOMPARE(f.w->txtVolume->text(), text);
    // Switching the unit after dragging says the same position in the other unit.
    (psi ? f.w->optBAR : f.w->optPSI)->click();
    QCOMPARE(f.w->txtVolume->text(), DcSettingsLists::volumeText(123, psi));
}

void tst_frmDiveComputerSettings::checkBoxCaptions() {
    Window f;
    for (QCheckBox* box : {f.w->chkBeep, f.w->chkUNCAscent, f.w->chkReserveAlarm}) {
        box->click();
        QCOMPARE(box->text(), QStringLiteral("ON"));
        box->click();
        QCOMPARE(box->text(), QStringLiteral("OFF"));
    }
}

void tst_frmDiveComputerSettings::roundTrip_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("unitTank");
    QTest::addColumn<int>("flags");    // the value of every unit, water and check-box field
    QTest::addColumn<int>("position"); // the program and the mode
    QTest::addColumn<float>("ppo2");
    QTest::addColumn<int>("reserve100");
    QTest::addColumn<int>("reserve50");
    for (const char* locale : {"C", "de_DE"}) {
        QTest::addRow("metric, %s", locale) << locale << 1 << 1 << 2 << 1.4f << 110 << 70;
        QTest::addRow("metric, first items, %s", locale) << locale << 1 << 0 << 0 << 1.2f << 80 << 50;
        QTest::addRow("imperial, %s", locale) << locale << 0 << 1 << 1 << 1.6f << 1595 << 1015;
        QTest::addRow("imperial, first items, %s", locale) << locale << 0 << 0 << 0 << 1.3f << 1160 << 725;
    }
}

void tst_frmDiveComputerSettings::roundTrip() {
    QFETCH(QString, locale);
    QFETCH(int, unitTank);
    QFETCH(int, flags);
    QFETCH(int, position);
    QFETCH(float, ppo2);
    QFETCH(int, reserve100);
    QFETCH(int, reserve50);
    Window f(1, unitTank == 1 ? 0 : 1);
    QLocale::setDefault(QLocale(locale));

    dcSettings given;
    given.setUnitTank(qint16(unitTank));
    given.setUnitDepth(qint16(flags));
    given.setUnitTemperature(qint16(flags));
    given.setWaterType(qint16(flags));
    given.setSetBeep(qint16(flags));
    given.setSetUncontrolledAscent(qint16(flags));
    given.setFlagReserve100(qint16(flags));
    given.setAltitude(QString::number(position + 1));
    given.setDiveType(qint16(position));
    given.setPercO2(qint16(32 + position));
    given.setPPO2Max(ppo2);
    given.setReserve100(qint16(reserve100));
    given.setReserve50(qint16(reserve50));
    given.setVolumeLTTank(123);
    given.setVolumeCUFTTank(77);
    given.setPressurePsiTank(2900);
    given.setDateDC(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    given.setDateUser(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)));
    f.w->showDcSettings(given);

    // Into a new record, so that a field the window does not write keeps the new record's value.
    dcSettings stored;
    f.w->storeDcSettings(stored);
    f.w->storeDcDateTime(stored);

    dcSettings expected = given;
    if (unitTank == 1) {
        // Litres and bar: the cubic feet are not the window's, and it has no tank pressure.
        expected.setVolumeCUFTTank(0);
        expected.setPressurePsiTank(0);
    } else {
        expected.setVolumeLTTank(0);
    }
    QCOMPARE(fields(stored), fields(expected));
}

void tst_frmDiveComputerSettings::ppo2StoredInBar_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("bar");
    for (const char* locale : {"C", "de_DE", "it_IT", "en_US"}) {
        QTest::addRow("1.2, %s", locale) << locale << 0 << 1.2f;
        QTest::addRow("1.4, %s", locale) << locale << 2 << 1.4f;
        QTest::addRow("1.6, %s", locale) << locale << 4 << 1.6f;
    }
}

void tst_frmDiveComputerSettings::ppo2StoredInBar() {
    QFETCH(QString, locale);
    QFETCH(int, position);
    QFETCH(float, bar);
    Window f;
    QLocale::setDefault(QLocale(locale));
    f.w->cmbPPO2Max->setCurrentIndex(position);
    f.w->btnSetData->click();
    QCOMPARE(f.w->editedSettings.PPO2Max(), bar);
    // Shown again at the same place.
    f.w->cmbPPO2Max->setCurrentIndex(0);
    f.w->showDcSettings(f.w->editedSettings);
    QCOMPARE(f.w->cmbPPO2Max->currentIndex(), position);
}

void tst_frmDiveComputerSettings::ppo2Index_data() {
    QTest::addColumn<float>("ppo2");
    QTest::addColumn<int>("index");
    QTest::newRow("1.2") << 1.2f << 0;
    QTest::newRow("1.3") << 1.3f << 1;
    QTest::newRow("1.4") << 1.4f << 2;
    QTest::newRow("1.5") << 1.5f << 3;
    QTest::newRow("1.6") << 1.6f << 4;
    QTest::newRow("between, to even") << 1.25f << 0;
    QTest::newRow("below the list") << 1.0f << 0;
    QTest::newRow("a tenth of the limit") << 0.14f << 0;
    QTest::newRow("above the list") << 2.0f << 4;
    QTest::newRow("ten times the limit") << 14.0f << 4;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0;
}

void tst_frmDiveComputerSettings::ppo2Index() {
    QFETCH(float, ppo2);
    QFETCH(int, index);
    QCOMPARE(DcSettingsLists::ppo2Index(ppo2), index);
}

void tst_frmDiveComputerSettings::listPositions_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("position");
    QTest::newRow("program P0") << "program"
                                << "0" << 0;
    QTest::newRow("program P3") << "program"
                                << "3" << 3;
    QTest::newRow("program with blanks") << "program"
                                         << " 2 " << 2;
    QTest::newRow("program beyond P3") << "program"
                                       << "9" << 3;
    QTest::newRow("program below P0") << "program"
                                      << "-1" << 0;
    QTest::newRow("program not a number") << "program"
                                          << "P2" << 0;
    QTest::newRow("program empty") << "program"
                                   << "" << 0;
    QTest::newRow("reserve equal") << "reserve100"
                                   << "100" << 2;
    QTest::newRow("reserve between, the lower") << "reserve100"
                                                << "95" << 1;
    QTest::newRow("reserve nearer the upper") << "reserve100"
                                              << "97" << 2;
    QTest::newRow("reserve below the list") << "reserve100"
                                            << "0" << 0;
    QTest::newRow("reserve above the list") << "reserve100"
                                            << "500" << 4;
    QTest::newRow("mode within") << "mode"
                                 << "1" << 1;
    QTest::newRow("mode beyond") << "mode"
                                 << "7" << 2;
    QTest::newRow("mode negative") << "mode"
                                   << "-3" << 0;
    QTest::newRow("slider half to even, down") << "volume"
                                               << "12.5" << 12;
    QTest::newRow("slider half to even, up") << "volume"
                                             << "13.5" << 14;
    QTest::newRow("slider below") << "volume"
                                  << "-5" << 0;
    QTest::newRow("slider above") << "volume"
                                  << "4000" << 399;
    QTest::newRow("slider not a number") << "volume"
                                         << "nan" << 0;
}

void tst_frmDiveComputerSettings::listPositions() {
    QFETCH(QString, rule);
    QFETCH(QString, value);
    QFETCH(int, position);
    using namespace DcSettingsLists;
    int found = -1;
    if (rule == QLatin1String("program"))
        found = programIndex(value);
    else if (rule == QLatin1String("reserve100"))
        found = nearestItem(reserve100(1), value.toInt());
    else if (rule == QLatin1String("mode"))
        found = nearestIndex(value.toInt(), 3);
    else
        found = sliderValue(value == QLatin1String("nan") ? std::nan("") : value.toDouble(), 0, 399);
    QCOMPARE(found, position);
}

void tst_frmDiveComputerSettings::outOfRangeShownNearest() {
    Window f(8);
    frmDiveComputerSettings& w = *f.w;
    dcSettings& record = w.editedSettings;
    record.setPercO2(99);
    record.setVolumeLTTank(12345);
    record.setDiveType(2);
    record.setAltitude(QStringLiteral("7"));
    record.setPPO2Max(0.14f);
    record.setReserve100(30);
    record.setReserve50(999);
    record.setSetBeep(3);
    record.setFlagReserve100(-1);
    record.setDateDC(QDateTime(QDate(1200, 1, 1), QTime(1, 2, 3)));
    const QStringList before = fields(record);
    w.showDcSettings(record);

    QCOMPARE(w.sliderO2Mix->value(), 50);
    QCOMPARE(w.txtO2Mix->text(), QStringLiteral("50"));
    QCOMPARE(w.sliderVolume->value(), 399);
    QCOMPARE(w.txtVolume->text(), QStringLiteral("39.9"));
    QCOMPARE(w.cmbMode->currentText(), QStringLiteral("Nitrox"));
    QCOMPARE(w.cmbProgram->currentText(), QStringLiteral("P3"));
    QCOMPARE(w.cmbPPO2Max->currentText(), QStringLiteral("1.2"));
    QCOMPARE(w.cmb100Reserve->currentText(), QStringLiteral("80"));
    QCOMPARE(w.cmb50Reserve->currentText(), QStringLiteral("70"));
    QCOMPARE(w.chkBeep->text(), QStringLiteral("ON"));
    QCOMPARE(w.chkReserveAlarm->text(), QStringLiteral("OFF"));
    QCOMPARE(w.dateDC->date(), QDate(1601, 1, 1));
    // Nothing changes until the user sets the data.
    QCOMPARE(fields(record), before);
    w.btnSetData->click();
    QCOMPARE(record.PercO2(), 50);
    QCOMPARE(record.VolumeLTTank(), 399.0f);
    QCOMPARE(record.diveType(), 1);
    QCOMPARE(record.Altitude(), QStringLiteral("3"));
    QCOMPARE(record.PPO2Max(), 1.2f);
    QCOMPARE(record.Reserve100(), 80);
    QCOMPARE(record.Reserve50(), 70);
    QCOMPARE(record.SetBeep(), 1);
    QCOMPARE(record.FlagReserve100(), 0);
}

void tst_frmDiveComputerSettings::buttonsWithoutAction() {
    Window f;
    frmDiveComputerSettings& w = *f.w;
    w.show();
    w.chkBeep->click();
    w.sliderO2Mix->setValue(40);
    w.dateUser->setDate(QDate(2010, 1, 1));
    const QStringList before = fields(w.editedSettings);
    for (QPushButton* button : {w.btnReadData, w.btnReadDateTime, w.btnOk})
        button->click();
    QCOMPARE(fields(w.editedSettings), before);
    QVERIFY(w.isVisible());
    w.btnSetDateTime->click();
    QCOMPARE(w.editedSettings.dateUser(), QDateTime(QDate(2010, 1, 1), QTime(8, 9, 10)));
    QCOMPARE(w.editedSettings.SetBeep(), 0); // not until Set Data
    w.btnSetData->click();
    QCOMPARE(w.editedSettings.SetBeep(), 1);
    QCOMPARE(w.editedSettings.PercO2(), 40);
}

// Pictures of the three tabs for a person to look at, not for asserting: run with
// SONA_SCREENSHOT_DIR set, under a real display server such as Xvfb.
void tst_frmDiveComputerSettings::screenshots() {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    Window f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w));
    for (int tab = 0; tab < f.w->tabMain->count(); ++tab) {
        f.w->tabMain->setCurrentIndex(tab);
        QTest::qWait(50);
        QVERIFY(f.w->grab().save(QStringLiteral("%1/dcsettings-tab%2.png").arg(dir).arg(tab)));
    }
}

QTEST_MAIN(tst_frmDiveComputerSettings)
#include "tst_frmdivecomputersettings.moc"
