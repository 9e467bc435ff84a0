#include "Dive.h"
#include "ProfileDataTab.h"
#include "TabFixture.h"

#include <QAction>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {
struct Tab : TabFixture<ProfileDataTab> {
    using TabFixture::TabFixture;
    void click(const char* key) {
        for (QAction* button : tab->tlbProfileInfo->actions()) {
            if (button->property("key").toString() == QLatin1String(key))
                button->trigger();
        }
    }
};

// Seven samples of an air-integrated dive: depth (dm), deco stop, deco, fifth value.
Dive airDive(int model) {
    static constexpr int SAMPLES[7][4] = {{30, 0, 0, 5},   {60, 0, 0, 0},  {90, 0, 1, 0}, {123, 0, 0, 10},
                                          {120, 0, 0, 18}, {110, 1, 0, 0}, {90, 0, 0, 7}};
    Dive dive;
    dive.setDiveComputer(model);
    dive.setStartTankPressure(200);
    dive.setStopTankPressure(50);
    for (const auto& s : SAMPLES)
        dive.addSample(s[0], 0, s[1], s[2], s[3]);
    return dive;
}

QStringList row(const QTreeWidget* list, int index) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts.append(list->topLevelItem(index)->text(column));
    return texts;
}

const QString TITLES = QStringLiteral("Time\tDepth\tDeco\tDeco Stop Violation\tTank Pressure\tConsuption (lit/min) \r");
} // namespace

class tst_ProfileDataTab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void titlesAndButtons();
    void rowsOfTheDive_data();
    void rowsOfTheDive();
    void emptyTable_data();
    void emptyTable();
    void clipboardTakesTheTableAsShown();
    void spreadsheet_data();
    void spreadsheet();
};

void tst_ProfileDataTab::titlesAndButtons() {
    Tab t(8);
    QTreeWidgetItem* header = t.tab->lvProfileInfo->headerItem();
    QCOMPARE(header->text(0), QStringLiteral("Time"));
    QCOMPARE(header->text(5), QStringLiteral("Consuption (lit/min) "));
    QStringList tips;
    for (QAction* button : t.tab->tlbProfileInfo->actions())
        tips.append(button->toolTip());
    QCOMPARE(tips, QStringList({QStringLiteral("Copy in Clipboard"), QStringLiteral("Open to Excel")}));
}

void tst_ProfileDataTab::rowsOfTheDive_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("minuteOne");
    QTest::addColumn<QStringList>("minuteTwo");
    QTest::newRow("air-integrated") << 8 << 0 << QStringList{"1' 00\"", "9", "*", "-", "185", "18"}
                                    << QStringList{"2' 00\"", "11", "-", "*", "178", "0"};
    QTest::newRow("imperial") << 16 << 1 << QStringList{"1' 00\"", "30", "*", "-", "2683.2", "18"}
                              << QStringList{"2' 00\"", "36", "-", "*", "2581.7", "0"};
    QTest::newRow("without air integration") << 1 << 0 << QStringList{"1' 00\"", "9", "*", "-", "-", "-"}
                                             << QStringList{"2' 00\"", "11", "-", "*", "-", "-"};
}

void tst_ProfileDataTab::rowsOfTheDive() {
    QFETCH(int, model);
    QFETCH(int, unit);
    Tab t(model, unit);
    const Dive dive = airDive(model);
    t.tab->fill(&dive);
    QCOMPARE(t.tab->lvProfileInfo->topLevelItemCount(), 7);
    QCOMPARE(row(t.tab->lvProfileInfo, 0).first(), QStringLiteral("0' 20\""));
    QTEST(row(t.tab->lvProfileInfo, 2), "minuteOne");
    QTEST(row(t.tab->lvProfileInfo, 5), "minuteTwo");
}

void tst_ProfileDataTab::emptyTable_data() {
    QTest::addColumn<bool>("withDive");
    QTest::newRow("no dive") << false;
    QTest::newRow("a dive without samples") << true;
}

void tst_ProfileDataTab::emptyTable() {
    QFETCH(bool, withDive);
    Tab t(8);
    const Dive before = airDive(8);
    t.tab->fill(&before);
    Dive empty;
    empty.setDiveComputer(8);
    t.tab->fill(withDive ? &empty : nullptr);
    QCOMPARE(t.tab->lvProfileInfo->topLevelItemCount(), 0);
    t.click("EXP_CLIPBOARD");
    QCOMPARE(t.env.fakes.clipboard->content, TITLES);
}

// Whatever the table shows is what goes out, even a row changed after it was filled.
void tst_ProfileDataTab::clipboardTakesTheTableAsShown() {
    Tab t(8);
    const Dive dive = airDive(8);
    t.tab->fill(&dive);
    t.tab->lvProfileInfo->topLevelItem(0)->setText(1, QStringLiteral("2.5"));
    t.click("EXP_CLIPBOARD");
    const QStringList lines = t.env.fakes.clipboard->content.split(u'\r');
    QCOMPARE(lines.size(), 9); // titles, seven rows, and nothing after the last carriage return
    QCOMPARE(lines[0] + u'\r', TITLES);
    QCOMPARE(lines[1], QStringLiteral("0' 20\"\t-2.5\t-\t-\t\t"));
    QCOMPARE(lines[3], QStringLiteral("1' 00\"\t-9\t*\t-\t185\t18"));
    QCOMPARE(lines.last(), QString());
}

void tst_ProfileDataTab::spreadsheet_data() {
    QTest::addColumn<bool>("available");
    QTest::newRow("opened") << true;
    QTest::newRow("no spreadsheet program: 3043") << false;
}

void tst_ProfileDataTab::spreadsheet() {
    QFETCH(bool, available);
    Tab t(8);
    t.env.fakes.spreadsheet->available = available;
    if (!available)
        t.env.fakes.message->answers.enqueue(Msg::Ok);
    const Dive dive = airDive(8);
    t.tab->fill(&dive);
    t.click("EXP_EXCEL");
    if (available) {
        QCOMPARE(t.env.fakes.spreadsheet->opened.size(), 1);
        QVERIFY(QFile::exists(t.env.fakes.spreadsheet->opened.first()));
        QFile::remove(t.env.fakes.spreadsheet->opened.first());
        QVERIFY(t.env.fakes.message->shown.isEmpty());
    } else {
        QCOMPARE(t.env.fakes.message->shown.size(), 1);
        QCOMPARE(t.env.fakes.message->shown.first().text,
                 QStringLiteral("Error opening Excel. Ensure you have installed it in the current system"));
        QCOMPARE(t.env.fakes.message->shown.first().title, QStringLiteral("Warning!"));
    }
    QVERIFY(!t.env.fakes.busyPointer->busy);
}

QTEST_MAIN(tst_ProfileDataTab)
#include "tst_profiledatatab.moc"
