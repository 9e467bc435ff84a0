#include "ProfileArena.h"

#include <QtTest>

class tst_ProfileArena : public QObject {
    Q_OBJECT

private slots:
    void copiesOutliveTheArena_data();
    void copiesOutliveTheArena();
};

void tst_ProfileArena::copiesOutliveTheArena_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("digits");
    QTest::newRow("one dive") << 1 << 3600 << true;
    QTest::newRow("empty profiles") << 3 << 0 << true;
    // Past the small first blocks and across several large ones, packed and not.
    QTest::newRow("a large load") << 3000 << 3600 << true;
    QTest::newRow("a large load, not only digits") << 1500 << 3600 << false;
    QTest::newRow("odd sizes") << 700 << 4099 << true;
    // More than half a large block: a block of its own.
    QTest::newRow("profiles of 3 MB") << 3 << 3 * 1024 * 1024 << true;
    QTest::newRow("profiles of 1.5 MB, not only digits") << 3 << 1536 * 1024 << false;
}

void tst_ProfileArena::copiesOutliveTheArena() {
    QFETCH(int, count);
    QFETCH(int, size);
    QFETCH(bool, digits);
    QList<QByteArray> texts;
    QList<ProfileBytes> copies;
    {
        ProfileArena arena;
        for (int i = 0; i < count; ++i) {
            QByteArray text(size, '0');
            for (int k = 0; k < size; k += 7)
                text[k] = char('0' + (i + k) % 10);
            if (!digits)
                text[size / 2] = ' ';
            copies.append(arena.copy(text));
            texts.append(text);
        }
    }
    for (int i = 0; i < count; ++i) {
        QCOMPARE(copies[i].size(), qsizetype(size));
        QCOMPARE(copies[i].isEmpty(), size == 0);
        QCOMPARE(copies[i].isDigits(), digits && size > 0);
        QVERIFY2(copies[i].bytes() == texts[i], qPrintable(QStringLiteral("profile %1").arg(i)));
    }
    // A copy kept alone keeps its bytes.
    const ProfileBytes last = count > 0 ? copies.takeLast() : ProfileBytes();
    copies.clear();
    if (count > 0)
        QVERIFY(last.bytes() == texts.last());
}

QTEST_GUILESS_MAIN(tst_ProfileArena)
#include "tst_profilearena.moc"
