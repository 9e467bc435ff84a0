#include "PropertyBag.h"

#include <QTest>

class tst_PropertyBag : public QObject {
    Q_OBJECT
private slots:
    void keysIgnoreCase();
    void defaultsAreNotWritten();
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

void tst_PropertyBag::writtenWithoutADefault() {
    PropertyBag bag;
    bag.write(QStringLiteral("ENAB"), true);
    bag.write(QStringLiteral("enab"), true);
    QCOMPARE(bag.keys(), QStringList{QStringLiteral("enab")});
    QCOMPARE(bag.read(QStringLiteral("Enab"), false), QVariant(true));
}

QTEST_GUILESS_MAIN(tst_PropertyBag)
#include "tst_propertybag.moc"
