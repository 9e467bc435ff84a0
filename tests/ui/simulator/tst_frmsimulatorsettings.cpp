#include "Dive.h"
#include "ModelEnvironment.h"
#include "SimulatedDive.h"
#include "TestEnvironment.h"
#include "frmSimulatorSettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>
#include <memory>

class tst_frmSimulatorSettings : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = modelEnvironment(4); }
    void cleanup() { m_env.reset(); }

    void showsTheDive_data();
    void showsTheDive();
    void nitroxOnOk();
    void airKeepsPPO2();
    void cancelAndCloseLeaveTheDive();
    void noDive();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_frmSimulatorSettings::showsTheDive_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("mixture");
    QTest::addColumn<float>("ppo2");
    QTest::addColumn<int>("altitude");
    QTest::addColumn<bool>("nitroxShown");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("listText");
    QTest::addColumn<int>("checkedP");
    QTest::newRow("new air dive") << 0 << 21 << 0.0f << 0 << false << 21 << "1.4" << 0;
    QTest::newRow("nitrox at 1.3") << 1 << 32 << 1.3f << 0 << true << 32 << "1.3" << 0;
    QTest::newRow("PPO2 stored as 15") << 1 << 32 << 15.0f << 2 << true << 32 << "1.5" << 2;
    QTest::newRow("continued dive out of range") << 1 << 80 << 2.2f << 3 << true << 50 << "1.6" << 3;
}

void tst_frmSimulatorSettings::showsTheDive() {
    QFETCH(int, mode);
    QFETCH(int, mixture);
    QFETCH(float, ppo2);
    QFETCH(int, altitude);
    QFETCH(bool, nitroxShown);
    QFETCH(int, checkedP);
    auto dive = SimulatedDive::create();
    dive->setDiveMode(mode);
    dive->setNitroxMixture(mixture);
    dive->setPPO2(ppo2);
    dive->setAltitude(altitude);

    frmSimulatorSettings d;
    d.addDive(dive);
    QCOMPARE(d.optionNitrox->isChecked(), nitroxShown);
    QCOMPARE(d.optionAir->isChecked(), !nitroxShown);
    QCOMPARE(d.Frame3->isEnabled(), nitroxShown);
    QCOMPARE(d.cmbPPO2Max->isEnabled(), nitroxShown);
    QTEST(d.sliderPercO2->value(), "slider");
    QCOMPARE(d.lblPercO2->text(), QString::number(d.sliderPercO2->value()) + " %");
    QTEST(d.cmbPPO2Max->currentText(), "listText");
    QVERIFY(d.optionP[checkedP]->isChecked());
    QVERIFY(!d.isOk);
    // Showing changes nothing in the dive.
    QCOMPARE(int(dive->getNitroxMixture()), mode == 1 ? mixture : 21);
    QCOMPARE(dive->getPPO2(), ppo2);
}

void tst_frmSimulatorSettings::nitroxOnOk() {
    auto dive = SimulatedDive::create();
    frmSimulatorSettings d;
    d.addDive(dive);
    d.optionNitrox->click();
    QVERIFY(d.Frame3->isEnabled());
    // The value beside the slider follows it while it moves.
    d.sliderPercO2->setSliderDown(true);
    d.sliderPercO2->setSliderPosition(45);
    QCOMPARE(d.lblPercO2->text(), QStringLiteral("45 %"));
    d.sliderPercO2->setSliderDown(false);
    d.sliderPercO2->setValue(32);
    QCOMPARE(d.lblPercO2->text(), QStringLiteral("32 %"));
    d.cmbPPO2Max->setCurrentIndex(4);
    d.optionP[3]->setChecked(true);
    d.cmdOk_Click();
    QVERIFY(d.isOk);
    QCOMPARE(dive->getDiveMode(), 1);
    QCOMPARE(dive->getNitroxMixture(), qint16(32));
    QCOMPARE(dive->getPPO2(), 1.6f);
    QCOMPARE(dive->getAltitude(), qint16(3));
}

void tst_frmSimulatorSettings::airKeepsPPO2() {
    auto dive = SimulatedDive::create();
    dive->setDiveMode(1);
    dive->setNitroxMixture(36);
    dive->setPPO2(1.3f);
    frmSimulatorSettings d;
    d.addDive(dive);
    d.optionAir->click();
    QVERIFY(!d.cmbPPO2Max->isEnabled());
    d.cmdOk_Click();
    QCOMPARE(dive->getDiveMode(), 0);
    QCOMPARE(dive->getNitroxMixture(), qint16(21));
    QCOMPARE(dive->getPPO2(), 1.3f);
}

void tst_frmSimulatorSettings::cancelAndCloseLeaveTheDive() {
    for (const bool closeBox : {false, true}) {
        auto dive = SimulatedDive::create();
        frmSimulatorSettings d;
        d.addDive(dive);
        d.optionNitrox->click();
        d.sliderPercO2->setValue(40);
        d.show();
        if (closeBox)
            d.close();
        else
            d.cmdCancel_Click();
        QVERIFY(!d.isOk);
        QVERIFY(!d.isVisible());
        QCOMPARE(dive->getDiveMode(), 0);
        QCOMPARE(dive->getNitroxMixture(), qint16(21));
    }
}

void tst_frmSimulatorSettings::noDive() {
    frmSimulatorSettings d;
    m_env->fakes.message->answers.append(Msg::Ok);
    QTimer::singleShot(2000, &d, &QDialog::reject); // a safety net should the dialog stay
    d.exec();
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QCOMPARE(m_env->fakes.message->shown.at(0).text,
             QStringLiteral("[frmSimulatorSetting.Form_Activate] Dive not set"));
    QVERIFY(!d.isOk);
}

QTEST_MAIN(tst_frmSimulatorSettings)
#include "tst_frmsimulatorsettings.moc"
