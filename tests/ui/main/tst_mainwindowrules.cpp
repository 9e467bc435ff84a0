#include "CodedLists.h"
#include "DiveDateText.h"
#include "DiveListRows.h"
#include "DiveTabs.h"
#include "MainLayout.h"
#include "NodeSelection.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"

#include <QtTest>

using TreeNodeKey::Kind;
Q_DECLARE_METATYPE(TreeNodeKey::Kind)

namespace {
// An optional state as a table shows it: -1 kept, 0 off, 1 on.
int state(const std::optional<bool>& s) {
    return s ? int(*s) : -1;
}
} // namespace

class tst_MainWindowRules : public QObject {
    Q_OBJECT
private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void nodeKeys();
    void commandsAfterSelection_data();
    void commandsAfterSelection();
    void titles_data();
    void titles();
    void tabAfterSelection_data();
    void tabAfterSelection();
    void tabChange_data();
    void tabChange();
    void tabsThatMayBeChosen_data();
    void tabsThatMayBeChosen();
    void codedListEntry_data();
    void codedListEntry();
    void diveModeText_data();
    void diveModeText();
    void activityText_data();
    void activityText();
    void layout_data();
    void layout();
    void diveDateText_data();
    void diveDateText();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_MainWindowRules::nodeKeys() {
    QCOMPARE(TreeNodeKey::logbook(12), QStringLiteral("LB12"));
    QCOMPARE(TreeNodeKey::dive(7), QStringLiteral("DR7"));
    QCOMPARE(TreeNodeKey::kindOf(QStringLiteral("DR7")), Kind::Dive);
    QCOMPARE(TreeNodeKey::kindOf(QStringLiteral("DC")), Kind::Root);
    QCOMPARE(TreeNodeKey::kindOf(QStringLiteral("XX1")), Kind::None);
    QCOMPARE(TreeNodeKey::identifier(QStringLiteral("DCzento RGBM")), QStringLiteral("zento RGBM"));
    QCOMPARE(TreeNodeKey::id(QStringLiteral("LB12")), 12);
}

void tst_MainWindowRules::commandsAfterSelection_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("freeDive");
    QTest::addColumn<int>("sampleLength");
    // profile and preview, simulator, profile tab, delete, rename, current-logbook box
    QTest::addColumn<QList<int>>("states");
    QTest::newRow("root") << Kind::Root << false << 0 << QList<int>{0, -1, -1, 0, 0, 0};
    QTest::newRow("logbook") << Kind::Logbook << false << 0 << QList<int>{0, -1, -1, 1, 1, 1};
    QTest::newRow("dive with profile") << Kind::Dive << false << 16 << QList<int>{1, 1, 1, 1, 0, 1};
    QTest::newRow("dive without profile") << Kind::Dive << false << 0 << QList<int>{0, 1, 0, 1, 0, 1};
    QTest::newRow("free-dive session with profile") << Kind::Dive << true << 24 << QList<int>{1, 0, 1, 1, 0, 1};
    QTest::newRow("free-dive session without profile") << Kind::Dive << true << 0 << QList<int>{0, 0, 0, 1, 0, 1};
}

void tst_MainWindowRules::commandsAfterSelection() {
    QFETCH(Kind, kind);
    QFETCH(bool, freeDive);
    QFETCH(int, sampleLength);
    QFETCH(QList<int>, states);
    const NodeSelection::Commands c = NodeSelection::commandsFor(kind, freeDive, sampleLength);
    QCOMPARE(state(c.profile), states[0]);
    QCOMPARE(state(c.preview), states[0]);
    QCOMPARE(state(c.simulator), states[1]);
    QCOMPARE(state(c.profileTab), states[2]);
    QCOMPARE(state(c.lbDelete), states[3]);
    QCOMPARE(state(c.lbRename), states[4]);
    QCOMPARE(state(c.currentLogbook), states[5]);
}

void tst_MainWindowRules::titles_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("title");
    QTest::newRow("root") << 0 << Kind::Root << "ignored" << 4 << " Dive Computer: zento RGBM";
    QTest::newRow("root of several models") << 0 << Kind::Root << "" << 3 << " Dive Computer: ";
    QTest::newRow("logbook") << 0 << Kind::Logbook << "Red Sea" << 1 << " Logbook: Red Sea";
    QTest::newRow("dive") << 0 << Kind::Dive << "05/03/2004 09:30:00" << 1 << " Dive: 05/03/2004 09:30:00";
    QTest::newRow("dive without date") << 0 << Kind::Dive << "" << 1 << " Dive: ";
}

void tst_MainWindowRules::titles() {
    QFETCH(int, language);
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(int, model);
    QFETCH(QString, title);
    Settings::instance().setCurrentLanguage(qint16(language));
    QCOMPARE(NodeSelection::title(kind, text, qint16(model)), title);
}

void tst_MainWindowRules::tabAfterSelection_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Kind>("previous");
    QTest::addColumn<int>("currentTab");
    QTest::addColumn<int>("tab");
    QTest::newRow("root") << Kind::Root << Kind::Dive << 4 << 0;
    QTest::newRow("logbook") << Kind::Logbook << Kind::Root << 1 << 0;
    QTest::newRow("dive after a logbook") << Kind::Dive << Kind::Logbook << 0 << 2;
    QTest::newRow("dive after the root") << Kind::Dive << Kind::Root << 1 << 2;
    QTest::newRow("dive after a dive keeps the tab") << Kind::Dive << Kind::Dive << 7 << 7;
    QTest::newRow("first selection a dive") << Kind::Dive << Kind::None << 0 << 0;
}

void tst_MainWindowRules::tabAfterSelection() {
    QFETCH(Kind, kind);
    QFETCH(Kind, previous);
    QFETCH(int, currentTab);
    QFETCH(int, tab);
    QCOMPARE(NodeSelection::tabAfter(kind, previous, qint16(currentTab)), qint16(tab));
}

void tst_MainWindowRules::tabChange_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("diveSelected");
    QTest::addColumn<bool>("profileSwitch");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("diveGroup"); // -1 kept
    QTest::addColumn<bool>("profilePanel");
    QTest::addColumn<bool>("toNotes");
    QTest::addColumn<int>("currentTab");
    using DiveTabs::Fill;
    QTest::newRow("list") << 0 << false << false << int(Fill::None) << 0 << false << false << 0;
    QTest::newRow("list with a dive selected") << 0 << true << false << int(Fill::None) << 0 << false << false << 2;
    QTest::newRow("calendar") << 1 << false << false << int(Fill::None) << 0 << false << false << 1;
    QTest::newRow("general") << 2 << true << false << int(Fill::General) << 1 << false << false << 2;
    QTest::newRow("settings") << 3 << true << false << int(Fill::Settings) << 1 << false << false << 3;
    QTest::newRow("technical") << 4 << true << false << int(Fill::Technical) << 1 << false << false << 4;
    QTest::newRow("profile data") << 5 << true << false << int(Fill::ProfileData) << 1 << false << false << 5;
    QTest::newRow("notes") << 6 << true << false << int(Fill::None) << 1 << false << false << 6;
    QTest::newRow("profile") << 7 << true << true << int(Fill::Profile) << 1 << true << false << 7;
    QTest::newRow("profile without samples") << 7 << true << false << int(Fill::None) << -1 << false << true << 3;
    QTest::newRow("unknown tab") << 9 << true << true << int(Fill::None) << -1 << false << false << 3;
}

void tst_MainWindowRules::tabChange() {
    QFETCH(int, index);
    QFETCH(bool, diveSelected);
    QFETCH(bool, profileSwitch);
    QFETCH(int, fill);
    QFETCH(int, diveGroup);
    QFETCH(bool, profilePanel);
    QFETCH(bool, toNotes);
    QFETCH(int, currentTab);
    const DiveTabs::Change c = DiveTabs::change(qint16(index), 3, diveSelected, profileSwitch);
    QCOMPARE(int(c.fill), fill);
    QCOMPARE(state(c.diveGroup), diveGroup);
    QCOMPARE(c.profilePanel, profilePanel);
    QCOMPARE(c.toNotes, toNotes);
    QCOMPARE(int(c.currentTab), currentTab);
}

void tst_MainWindowRules::tabsThatMayBeChosen_data() {
    QTest::addColumn<bool>("diveGroup");
    QTest::addColumn<bool>("profileSwitch");
    QTest::addColumn<QString>("choosable"); // one character per tab
    QTest::newRow("list group") << false << true << "11000000";
    QTest::newRow("dive group with profile") << true << true << "00111111";
    QTest::newRow("dive group without profile") << true << false << "00111110";
}

void tst_MainWindowRules::tabsThatMayBeChosen() {
    QFETCH(bool, diveGroup);
    QFETCH(bool, profileSwitch);
    QFETCH(QString, choosable);
    QString actual;
    for (int i = 0; i < DiveTabs::TAB_COUNT; ++i)
        actual += DiveTabs::mayChoose(i, diveGroup, profileSwitch) ? u'1' : u'0';
    QCOMPARE(actual, choosable);
}

void tst_MainWindowRules::codedListEntry_data() {
    QTest::addColumn<QVariant>("code");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("entry");
    QTest::newRow("first") << QVariant(0) << 13 << 0;
    QTest::newRow("last") << QVariant(12) << 13 << 12;
    QTest::newRow("null") << QVariant() << 13 << -1;
    QTest::newRow("none") << QVariant(-1) << 6 << -1;
    QTest::newRow("past the activities") << QVariant(13) << 13 << -1;
    QTest::newRow("past the weathers") << QVariant(6) << 6 << -1;
    QTest::newRow("past the suits") << QVariant(3) << 3 << -1;
    QTest::newRow("beyond 16 bits") << QVariant(70000) << 3 << -1;
    QTest::newRow("negative") << QVariant(-5) << 3 << -1;
    QTest::newRow("number as text") << QVariant(QStringLiteral("2")) << 3 << 2;
    QTest::newRow("not a number") << QVariant(QStringLiteral("rain")) << 6 << -1;
    QTest::newRow("rounded half to even") << QVariant(2.5) << 6 << 2;
}

void tst_MainWindowRules::codedListEntry() {
    QFETCH(QVariant, code);
    QFETCH(int, count);
    QFETCH(int, entry);
    QCOMPARE(CodedLists::listIndex(code, count), entry);
}

void tst_MainWindowRules::diveModeText_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("text");
    QTest::newRow("air") << 0 << 1 << "Air";
    QTest::newRow("nitrox") << 1 << 32 << "Nitrox";
    QTest::newRow("2 is bottom time") << 2 << 1 << "Bottom Time";
    QTest::newRow("2 is a free dive on the Kobi") << 2 << 32 << "Free Dive";
    QTest::newRow("3 is bottom time on the Kobi") << 3 << 32 << "Bottom Time";
    QTest::newRow("3 elsewhere") << 3 << 8 << "";
    QTest::newRow("several model bits") << 2 << 3 << "Bottom Time";
}

void tst_MainWindowRules::diveModeText() {
    QFETCH(int, mode);
    QFETCH(int, model);
    QFETCH(QString, text);
    Settings& settings = Settings::instance();
    settings.setCurrentDiveComputer(model);
    QCOMPARE(DiveListRows::modeText(mode, settings.getBottomTimeCode(), settings.getFreeDiveCode()), text);
}

void tst_MainWindowRules::activityText_data() {
    QTest::addColumn<QVariant>("activity");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << QVariant(0) << "Exploration";
    QTest::newRow("last") << QVariant(12) << "Other";
    QTest::newRow("none") << QVariant(-1) << "";
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("out of the list") << QVariant(50) << "";
}

void tst_MainWindowRules::activityText() {
    QFETCH(QVariant, activity);
    QFETCH(QString, text);
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    QCOMPARE(DiveListRows::activityText(activity), text);
}

void tst_MainWindowRules::layout_data() {
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("innerHeight");
    QTest::addColumn<QRect>("tabDive");
    QTest::addColumn<bool>("fits");
    // Tab height 300, status bar 300, cool bar 600, band 330, title 375.
    // The title band is taller than the tabs: the dive tabs stop at the status bar (7700).
    QTest::newRow("at load") << 11550 << 8000 << QRect(4190, 1305, 7260, 6395) << true;
    QTest::newRow("too small") << 4000 << 1000 << QRect(4190, 1305, -290, -605) << false;
}

void tst_MainWindowRules::layout() {
    QFETCH(int, windowWidth);
    QFETCH(int, innerHeight);
    QFETCH(QRect, tabDive);
    QFETCH(bool, fits);
    MainLayout::Input in;
    in.windowWidth = windowWidth;
    in.innerHeight = innerHeight;
    in.coolbarHeight = 600;
    in.statusBarHeight = 300;
    in.tabHeight = 300;
    in.imgTitlesHeight = 330;
    in.lblTitleHeight = 375;
    const MainLayout l = MainLayout::compute(in);
    QCOMPARE(l.tabDive, tabDive);
    QCOMPARE(MainLayout::fits(l.tabDive), fits);
    QCOMPARE(l.tabLeft, QRect(0, 590, 4170, innerHeight - 900));
    QCOMPARE(l.imgTitles.topLeft(), QPoint(4160, 600));
    QCOMPARE(l.lblTitle.topLeft(), QPoint(4190, 930));
    QCOMPARE(l.lblTitle.width(), tabDive.width() + 4170 - 40);
    QCOMPARE(l.lblTitleShadow, l.lblTitle.translated(30, 30));
}

void tst_MainWindowRules::diveDateText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("British") << "en_GB"
                             << "05/03/2004 09:30:00";
    QTest::newRow("American, year in full, no zone") << "en_US"
                                                     << "3/5/2004 9:30:00 AM";
    QTest::newRow("Italian") << "it_IT"
                             << "05/03/2004 09:30:00";
}

void tst_MainWindowRules::diveDateText() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    const DiveDateText format{QLocale(locale)};
    const QDateTime start(QDate(2004, 3, 5), QTime(9, 30));
    QCOMPARE(format.text(start.date(), start.time()), text);
    QCOMPARE(format.parse(text), start);
}

QTEST_MAIN(tst_MainWindowRules)
#include "tst_mainwindowrules.moc"
