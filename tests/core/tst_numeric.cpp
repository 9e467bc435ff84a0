#include "Numeric.h"
#include "RuntimeError.h"

#include <QtTest>

class tst_Numeric : public QObject {
    Q_OBJECT
private slots:
    void toInt16_data();
    void toInt16();
    void toInt32Overflow_data();
    void toInt32Overflow();
    void roundToDecimals_data();
    void roundToDecimals();
    void leadingNumber_data();
    void leadingNumber();
    void textToInt16Refuses_data();
    void textToInt16Refuses();
    void singleToText_data();
    void singleToText();
    void integerDivision();
};

void tst_Numeric::toInt16_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half rounds to even down") << 2.5 << 2;
    QTest::newRow("half rounds to even up") << 3.5 << 4;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("above half") << 2.51 << 3;
    QTest::newRow("upper bound") << 32767.0 << 32767;
    QTest::newRow("lower bound") << -32768.0 << -32768;
    QTest::newRow("rounds into range") << 32767.4 << 32767;
}

void tst_Numeric::toInt16() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(num::toInt16(value)), expected);
}

void tst_Numeric::toInt32Overflow_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("is16");
    QTest::newRow("16-bit above") << 32767.5 << true;
    QTest::newRow("16-bit below") << -32768.6 << true;
    QTest::newRow("32-bit above") << 2147483647.5 << false;
    QTest::newRow("32-bit below") << -2147483649.0 << false;
    QTest::newRow("not a number") << std::nan("") << false;
}

void tst_Numeric::toInt32Overflow() {
    QFETCH(double, value);
    QFETCH(bool, is16);
    try {
        if (is16)
            num::toInt16(value);
        else
            num::toInt32(value);
        QFAIL("no overflow");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), 6);
    }
}

void tst_Numeric::roundToDecimals_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("half to even down") << 0.25 << 0.2;
    QTest::newRow("half to even up") << 0.35 << 0.4;
    QTest::newRow("psi of 200 bar") << 2900.76 << 2900.8;
    QTest::newRow("negative") << -1.25 << -1.2;
}

void tst_Numeric::roundToDecimals() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(num::roundHalfEven(value, 1), expected);
}

void tst_Numeric::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("number and words") << "1012 Cancel" << 1012.0;
    QTest::newRow("leading blanks") << "   42x" << 42.0;
    QTest::newRow("no number") << "Cancel" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("decimal") << "12.5 m" << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
}

void tst_Numeric::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(num::leadingNumber(text), expected);
}

void tst_Numeric::textToInt16Refuses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("empty") << "" << 13;
    QTest::newRow("words") << "1012 Cancel" << 13;
    QTest::newRow("letters") << "abc" << 13;
    QTest::newRow("too big") << "40000" << 6;
}

void tst_Numeric::textToInt16Refuses() {
    QFETCH(QString, text);
    QFETCH(int, error);
    try {
        num::textToInt16(text);
        QFAIL("accepted");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_Numeric::singleToText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << "C" << 12.0f << "12";
    QTest::newRow("fraction") << "C" << 2900.8f << "2900.8";
    QTest::newRow("seven digits") << "C" << 1.0f / 3.0f << "0.3333333";
    QTest::newRow("no group separator") << "C" << 1234567.0f << "1234567";
    QTest::newRow("zero") << "C" << 0.0f << "0";
    QTest::newRow("negative") << "C" << -10.5f << "-10.5";
    // German writes a decimal comma and groups with a point: the point must not appear.
    QTest::newRow("german fraction") << "de_DE" << 2900.8f << "2900,8";
    QTest::newRow("german seven digits") << "de_DE" << 1.0f / 3.0f << "0,3333333";
    QTest::newRow("german no group separator") << "de_DE" << 1234567.0f << "1234567";
    QTest::newRow("german negative") << "de_DE" << -10.5f << "-10,5";
}

void tst_Numeric::singleToText() {
    QFETCH(QString, locale);
    QFETCH(float, value);
    QFETCH(QString, expected);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const QString text = num::singleToText(value);
    QLocale::setDefault(before);
    QCOMPARE(text, expected);
}

void tst_Numeric::integerDivision() {
    QCOMPARE(num::intDiv(7, 3), 2);
    QCOMPARE(num::intDiv(-7, 3), -2);
    QCOMPARE(num::mod(-7, 3), -1);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, num::intDiv(1, 0));
}

QTEST_GUILESS_MAIN(tst_Numeric)
#include "tst_numeric.moc"
