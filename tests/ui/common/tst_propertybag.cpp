#include "PropertyBag.h"

#include <QFont>
#include <QTest>

class tst_PropertyBag : public QObject {
    Q_OBJECT
private slots:
    void keysIgnoreCase();
    void defaultsAreNotWritten();
    void defaultsAcrossTypes_data();
    void defaultsAcrossTypes();
    void writtenWithoutADefault();
};

void tst_PropertyBag::keysIgnoreCase() {
    PropertyBag bag;
    bag.write(QStringLiteral("BackColor"), 5, 0);
    QCOMPARE(bag.read(QStringLiteral("backcolor"), 0), QVariant(5));
    QVERIFY(bag.contains(QStringLiteral("BACKCOLOR")));
    QCOMPARE(bag.keys(), QStringList{QStringLiteral("backcolor")});
}

void tst_PropertyBag::defaultsAreNotWritten() {
    PropertyBag bag;
    QCOMPARE(bag.read(QStringLiteral("Caption"), QStringLiteral("none")), QVariant(QStringLiteral("none")));
    bag.write(QStringLiteral("Caption"), QStringLiteral("OK"), QStringLiteral("none"));
    bag.write(QStringLiteral("caption"), QStringLiteral("none"), QStringLiteral("none"));
    QVERIFY(!bag.contains(QStringLiteral("Caption")));
    QVERIFY(bag.keys().isEmpty());
}

void tst_PropertyBag::defaultsAcrossTypes_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("written");
    QTest::newRow("equal across integer widths") << QVariant::fromValue(qint16(400)) << QVariant(400) << false;
    QTest::newRow("equal bool") << QVariant(false) << QVariant(false) << false;
    QTest::newRow("equal font") << QVariant(QFont(QStringLiteral("Tahoma"), 8))
                                << QVariant(QFont(QStringLiteral("Tahoma"), 8)) << false;
    QTest::newRow("font of another size")
        << QVariant(QFont(QStringLiteral("Tahoma"), 7)) << QVariant(QFont(QStringLiteral("Tahoma"), 8)) << true;
    QTest::newRow("no default: always written") << QVariant(0) << QVariant() << true;
}

void tst_PropertyBag::defaultsAcrossTypes() {
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, written);
    PropertyBag bag;
    bag.write(QStringLiteral("key"), value, defaultValue);
    QCOMPARE(bag.contains(QStringLiteral("key")), written);
}

void tst_PropertyBag::writtenWithoutADefault() {
    PropertyBag bag;
    bag.write(QStringLiteral("ENAB"), true);
    bag.write(QStringLiteral("enab"), true);
    QCOMPARE(bag.keys(), QStringList{QStringLiteral("enab")});
    QCOMPARE(bag.read(QStringLiteral("Enab"), false), QVariant(true));
}

QTEST_GUILESS_MAIN(tst_PropertyBag)
#include "tst_propertybag.moc"
