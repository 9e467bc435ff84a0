#include "MainModule.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QtTest>

class tst_MainModule : public QObject {
    Q_OBJECT
private slots:
    void whereClause_data();
    void whereClause();
    void whereBeforeOrderIsRequired();
    void digitsOnly_data();
    void digitsOnly();
    void greaterOfTwo_data();
    void greaterOfTwo();
    void printerOrientation_data();
    void printerOrientation();
    void modelNames_data();
    void modelNames();
    void validModelCodes_data();
    void validModelCodes();
};

void tst_MainModule::whereClause_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("clause");
    QTest::newRow("unfiltered") << "SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL ORDER BY [DATETIME] DESC"
                                << "WHERE DIVE_ID IS NOT NULL";
    QTest::newRow("no where") << "SELECT * FROM DIVE"
                              << "";
    QTest::newRow("no order") << "SELECT * FROM DIVE WHERE A = 1"
                              << "WHERE A = 1";
    QTest::newRow("lower case") << "select * from dive where a = 1 order by b"
                                << "where a = 1";
}

void tst_MainModule::whereClause() {
    QFETCH(QString, statement);
    QFETCH(QString, clause);
    QCOMPARE(getWhereClause(statement), clause);
}

void tst_MainModule::whereBeforeOrderIsRequired() {
    QVERIFY_THROWS_EXCEPTION(RuntimeError, getWhereClause("SELECT * FROM DIVE ORDER BY X WHERE"));
}

void tst_MainModule::digitsOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("digits");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("digits") << "0123" << true;
    QTest::newRow("letter") << "12a" << false;
    QTest::newRow("sign") << "-1" << false;
    QTest::newRow("blank") << " 1" << false;
    QTest::newRow("arabic-indic digit") << QString::fromUtf8("١٢") << false;
}

void tst_MainModule::digitsOnly() {
    QFETCH(QString, text);
    QFETCH(bool, digits);
    QCOMPARE(isDigitsOnly(text), digits);
}

void tst_MainModule::greaterOfTwo_data() {
    QTest::addColumn<QVariant>("a");
    QTest::addColumn<QVariant>("b");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("second greater") << QVariant(3) << QVariant(7) << QVariant(7);
    QTest::newRow("first greater") << QVariant(7) << QVariant(3) << QVariant(7);
    QTest::newRow("equal gives second") << QVariant(5) << QVariant(5.0) << QVariant(5.0);
    QTest::newRow("numbers not texts") << QVariant(10) << QVariant(9.5) << QVariant(10);
}

void tst_MainModule::greaterOfTwo() {
    QFETCH(QVariant, a);
    QFETCH(QVariant, b);
    QFETCH(QVariant, expected);
    const QVariant result = getMax(a, b);
    QCOMPARE(result, expected);
    QCOMPARE(result.typeId(), expected.typeId());
}

void tst_MainModule::printerOrientation_data() {
    QTest::addColumn<bool>("hasPrinter");
    QTest::addColumn<bool>("refuses");
    QTest::addColumn<int>("initial");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("accepting printer") << true << false << 1 << true << true;
    QTest::newRow("stuck in landscape") << true << true << 2 << false << true;
    QTest::newRow("stuck in portrait") << true << true << 1 << true << false;
    QTest::newRow("no printer") << false << false << 1 << false << false;
}

void tst_MainModule::printerOrientation() {
    QFETCH(bool, hasPrinter);
    QFETCH(bool, refuses);
    QFETCH(int, initial);
    QFETCH(bool, portrait);
    QFETCH(bool, landscape);
    TestEnvironment env;
    if (!hasPrinter)
        env.fakes.printers->names.clear();
    env.fakes.printers->refuses = refuses;
    env.fakes.printers->current = initial;
    QCOMPARE(setPrinterPortrait(), portrait);
    env.fakes.printers->current = initial;
    QCOMPARE(setPrinterLandscape(), landscape);
}

void tst_MainModule::modelNames_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << "zento";
    QTest::newRow("2") << 2 << "Lumo";
    QTest::newRow("4") << 4 << "zento RGBM";
    QTest::newRow("8") << 8 << "Tavex";
    QTest::newRow("16") << 16 << "Lumo Air";
    QTest::newRow("32") << 32 << "Kobi";
    QTest::newRow("two bits") << 3 << "";
    QTest::newRow("zero") << 0 << "";
}

void tst_MainModule::modelNames() {
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(getDiveComputerName(qint16(code)), name);
}

void tst_MainModule::validModelCodes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("zento") << 1 << true;
    QTest::newRow("two model bits") << 3 << true;
    QTest::newRow("all six bits") << 63 << true;
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("bit beyond the models") << 64 << false;
    QTest::newRow("negative") << -1 << false;
}

void tst_MainModule::validModelCodes() {
    QFETCH(int, code);
    QFETCH(bool, valid);
    QCOMPARE(isValidDiveComputer(qint16(code)), valid);
}

QTEST_GUILESS_MAIN(tst_MainModule)
#include "tst_mainmodule.moc"
