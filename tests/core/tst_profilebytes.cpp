#include "ProfileBytes.h"

#include <QtTest>

class tst_ProfileBytes : public QObject {
    Q_OBJECT

private slots:
    void keptAsStored_data();
    void keptAsStored();
};

void tst_ProfileBytes::keptAsStored_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("digits");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one digit") << QByteArray("7") << true;
    QTest::newRow("an air record") << QByteArray("01230002000300040150") << true;
    QTest::newRow("every digit at every place")
        << QByteArray("0123456789987654321001234567899876543210012345678") << true;
    QTest::newRow("seven digits") << QByteArray("9999999") << true;
    QTest::newRow("nine digits") << QByteArray("000000009") << true;
    QTest::newRow("a blank in a field") << QByteArray("0123 00200000000") << false;
    QTest::newRow("a sign") << QByteArray("-123000200000000") << false;
    QTest::newRow("a colon, one past the digits") << QByteArray("0123000200000:00") << false;
    QTest::newRow("a slash, one before them") << QByteArray("0123000200000/00") << false;
    QTest::newRow("beyond ASCII") << QStringLiteral("0123\u00A0002").toUtf8() << false;
    QTest::newRow("a free-dive session") << QByteArray("*00500120*012000200000") << false;
}

// A profile comes back byte for byte, whether it was kept packed or as it came.
void tst_ProfileBytes::keptAsStored() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, digits);
    const ProfileBytes stored(bytes);
    QCOMPARE(stored.isDigits(), digits);
    QCOMPARE(stored.size(), bytes.size());
    QCOMPARE(stored.bytes(), bytes);
    QCOMPARE(stored.text(), QString::fromUtf8(bytes));
    if (!digits)
        QVERIFY(stored.view() == bytes);
}

QTEST_GUILESS_MAIN(tst_ProfileBytes)
#include "tst_profilebytes.moc"
