#include "FaceText.h"

#include <QLocale>
#include <QtTest>

class tst_FaceText : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void twoDigits_data();
    void twoDigits();
    void padded_data();
    void padded();
    void depthText_data();
    void depthText();
    void depthField_data();
    void depthField();
    void maxDepthText_data();
    void maxDepthText();
    void pointText_data();
    void pointText();
};

void tst_FaceText::twoDigits_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit gets a zero") << 5 << "05";
    QTest::newRow("zero") << 0 << "00";
    QTest::newRow("two digits stay") << 42 << "42";
    QTest::newRow("three digits stay") << 120 << "120";
    QTest::newRow("negative has two characters already") << -1 << "-1";
}

void tst_FaceText::twoDigits() {
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(facetext::twoDigits(value), text);
}

void tst_FaceText::padded_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit") << 2 << "02";
    QTest::newRow("zero") << 0 << "00";
    QTest::newRow("three digits") << 125 << "125";
    QTest::newRow("negative pads its digits") << -1 << "-01";
}

void tst_FaceText::padded() {
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(facetext::padded(value), text);
}

void tst_FaceText::depthText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one decimal") << "en_US" << 7.5f << "7.5";
    QTest::newRow("whole number has no point") << "en_US" << 12.0f << "12";
    QTest::newRow("rounded to one decimal") << "en_US" << 9.96f << "10";
    QTest::newRow("long text cut to three") << "en_US" << 102.46f << "102";
    QTest::newRow("100.4 cut to 100") << "en_US" << 100.4f << "100";
    QTest::newRow("below 1 keeps its zero") << "en_US" << 0.5f << "0.5";
    QTest::newRow("surface") << "en_US" << 0.0f << "0";
    QTest::newRow("German comma") << "de_DE" << 7.5f << "7,5";
    QTest::newRow("German long text cut") << "de_DE" << 102.46f << "102";
    QTest::newRow("no group separator") << "en_US" << 1234.5f << "123";
}

void tst_FaceText::depthText() {
    QFETCH(QString, locale);
    QFETCH(float, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(facetext::depthText(value), text);
}

void tst_FaceText::depthField_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded whole part") << "en_US"
                                       << "7.5"
                                       << "07.5";
    QTest::newRow("cut depth gets its decimal") << "en_US"
                                                << "100"
                                                << "100.0";
    QTest::newRow("surface") << "en_US"
                             << "0"
                             << "00.0";
    QTest::newRow("two digits") << "en_US"
                                << "18.2"
                                << "18.2";
    QTest::newRow("German comma") << "de_DE"
                                  << "7,5"
                                  << "07,5";
}

void tst_FaceText::depthField() {
    QFETCH(QString, locale);
    QFETCH(QString, depth);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(facetext::depthField(depth), text);
}

void tst_FaceText::maxDepthText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("below 10 cut to three, not rounded") << "en_US" << 9.25f << "9.2";
    QTest::newRow("from 10 cut to four") << "en_US" << 12.75f << "12.7";
    QTest::newRow("never ends in the point") << "en_US" << 100.5f << "100";
    QTest::newRow("whole number") << "en_US" << 30.0f << "30";
    QTest::newRow("no digit before the point") << "en_US" << 0.5f << ".5";
    QTest::newRow("point in a German locale too") << "de_DE" << 12.75f << "12.7";
}

void tst_FaceText::maxDepthText() {
    QFETCH(QString, locale);
    QFETCH(float, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(facetext::maxDepthText(value), text);
}

void tst_FaceText::pointText_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("below 1") << 0.5f << ".5";
    QTest::newRow("negative below 1") << -0.5f << "-.5";
    QTest::newRow("whole") << 15.0f << "15";
    QTest::newRow("seven significant digits") << 1.2345678f << "1.234568";
    QTest::newRow("zero") << 0.0f << "0";
}

void tst_FaceText::pointText() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(facetext::pointText(value), text);
}

QTEST_GUILESS_MAIN(tst_FaceText)
#include "tst_facetext.moc"
