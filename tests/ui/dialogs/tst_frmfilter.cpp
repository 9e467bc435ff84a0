#include "Database.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "frmFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
const QString BEFORE = QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL  ORDER BY [DATETIME] DESC ");
const QString HEAD = QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL");
const QString ORDER = QStringLiteral(" ORDER BY [DATETIME] DESC");

QDateTime at(int year, int month, int day, int hour = 14, int minute = 30) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// The user's choices, as a row of a table sets them.
struct Choices {
    QString type = QStringLiteral("all"); // all, deco, nodec
    bool byDate = false;
    QDateTime start; // invalid: the picker as loaded
    QDateTime stop;
    bool byDepth = false;
    QString startDepth;
    QString stopDepth;
    bool byActivity = false;
    int activity = -1;
    QString typedActivity;
    QString mode;          // "" unticked, nitrox, air, bottom
    bool imperial = false; // the refusals' unit; the statements name theirs

    void applyTo(frmFilter& d) const {
        if (type == u"deco")
            d.optInDECO->setChecked(true);
        else if (type == u"nodec")
            d.optNODEC->setChecked(true);
        d.chkFrom->setChecked(byDate);
        if (start.isValid())
            d.startDTPicker->setDateTime(start);
        if (stop.isValid())
            d.stopDTPicker->setDateTime(stop);
        d.chkBetween->setChecked(byDepth);
        d.fldStartDepth->setText(startDepth);
        d.fldStopDepth->setText(stopDepth);
        d.chkActivity->setChecked(byActivity);
        d.cmbActivity->setCurrentIndex(activity);
        if (!typedActivity.isNull())
            d.cmbActivity->setEditText(typedActivity);
        d.chkNitrox->setChecked(!mode.isEmpty());
        if (mode == u"nitrox")
            d.optNitrox->setChecked(true);
        else if (mode == u"bottom")
            d.optBottomTime->setChecked(true);
    }
};

Choices dates(const QDateTime& start, const QDateTime& stop) {
    Choices c;
    c.byDate = true;
    c.start = start;
    c.stop = stop;
    return c;
}

Choices depths(const QString& start, const QString& stop) {
    Choices c;
    c.byDepth = true;
    c.startDepth = start;
    c.stopDepth = stop;
    return c;
}

QStringList texts(const QList<qint32>& ids) {
    QStringList result;
    for (qint32 id : ids)
        result << getString(id);
    return result;
}

QStringList shownTexts(const FakeMessageService& messages) {
    QStringList result;
    for (const ShownMessage& m : messages.shown)
        result << m.text;
    return result;
}

// Runs `action` on the filter dialog as soon as it is shown modally.
void whenShown(const std::function<void(frmFilter*)>& action) {
    QTimer::singleShot(0, [action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<frmFilter*>(window); dialog && dialog->isVisible()) {
                action(dialog);
                return;
            }
        }
        QFAIL("the filter dialog is not shown");
    });
}
} // namespace

Q_DECLARE_METATYPE(Choices)

class tst_frmFilter : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadShowsDefaults();
    void imperialHints();
    void checkBoxesEnableTheirControls();
    void statements_data();
    void statements();
    void refusals_data();
    void refusals();
    void modalResults();
    void refusedOkKeepsTheDialogOpen();
    void statementSelectsTheDives();

private:
    void useSettings(const QString& model, const QString& unit);

    std::unique_ptr<TestEnvironment> m_env;
};

void tst_frmFilter::init() {
    m_env = std::make_unique<TestEnvironment>();
    useSettings(QStringLiteral("1"), QStringLiteral("0"));
}

void tst_frmFilter::cleanup() {
    m_env.reset();
}

void tst_frmFilter::useSettings(const QString& model, const QString& unit) {
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->storeSetting(QStringLiteral("DiveComputer"), model);
    m_env->storeSetting(QStringLiteral("MeasureUnit"), unit);
    m_env->restart();
}

void tst_frmFilter::loadShowsDefaults() {
    frmFilter d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Select Dive Filter"));
    QCOMPARE(d.lbl_Title->text(), QStringLiteral("Select Filter"));
    QCOMPARE(d.optNODEC->text(), QStringLiteral("No-decompression dives (NODEC)"));
    QCOMPARE(d.lbl_Depth[0]->text(), QStringLiteral("(meters)"));
    QCOMPARE(d.lbl_Format[1]->text(), QStringLiteral("(dd/mm/yyyy)"));
    QCOMPARE(d.optBottomTime->text(), QStringLiteral("Bottom Time"));
    QCOMPARE(d.cmbActivity->toolTip(), QStringLiteral("Click to select the activity"));
    QCOMPARE(d.cmbActivity->count(), 13);
    QCOMPARE(d.cmbActivity->itemText(0), QStringLiteral("Exploration"));
    QCOMPARE(d.cmbActivity->itemText(12), QStringLiteral("Other"));
    QCOMPARE(d.cmbActivity->currentIndex(), -1);

    QVERIFY(d.optAllDives->isChecked());
    QVERIFY(d.optAir->isChecked());
    for (QCheckBox* box : {d.chkFrom, d.chkBetween, d.chkActivity, d.chkNitrox})
        QVERIFY(!box->isChecked());
    for (QWidget* control : QList<QWidget*>{d.startDTPicker, d.stopDTPicker, d.fldStartDepth, d.fldStopDepth,
                                            d.cmbActivity, d.optNitrox, d.optAir, d.optBottomTime})
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    const QDateTime now = m_env->fakes.clock->current;
    QCOMPARE(d.startDTPicker->dateTime(), now);
    QCOMPARE(d.stopDTPicker->dateTime(), now);
    QVERIFY(!d.isOk);
}

void tst_frmFilter::imperialHints() {
    useSettings(QStringLiteral("1"), QStringLiteral("1"));
    frmFilter d;
    QCOMPARE(d.lbl_Depth[1]->text(), QStringLiteral("(feet)"));
    QCOMPARE(d.lbl_Format[0]->text(), QStringLiteral("(mm/dd/yyyy)"));
    QCOMPARE(d.startDTPicker->displayFormat(), QStringLiteral("MM/dd/yyyy HH:mm"));
}

void tst_frmFilter::checkBoxesEnableTheirControls() {
    frmFilter d;
    d.chkFrom->click();
    QVERIFY(d.startDTPicker->isEnabled() && d.stopDTPicker->isEnabled());
    d.chkBetween->click();
    QVERIFY(d.fldStartDepth->isEnabled() && d.fldStopDepth->isEnabled());
    QCOMPARE(d.fldStopDepth->palette().color(QPalette::Base), QColor(Qt::white));
    d.chkActivity->click();
    QVERIFY(d.cmbActivity->isEnabled());
    d.chkNitrox->click();
    QVERIFY(d.optNitrox->isEnabled() && d.optAir->isEnabled() && d.optBottomTime->isEnabled());

    // Clearing a box disables its controls and keeps what they hold.
    d.fldStartDepth->setText(QStringLiteral("12"));
    d.chkBetween->click();
    QVERIFY(!d.fldStartDepth->isEnabled());
    QCOMPARE(d.fldStartDepth->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(d.fldStartDepth->text(), QStringLiteral("12"));
    d.chkFrom->click();
    QVERIFY(!d.startDTPicker->isEnabled());
    d.chkActivity->click();
    QVERIFY(!d.cmbActivity->isEnabled());
    d.chkNitrox->click();
    QVERIFY(!d.optBottomTime->isEnabled());
}

void tst_frmFilter::statements_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<QString>("statement");

    const QString metric = QStringLiteral("0");
    const QString zento = QStringLiteral("1");
    Choices c;
    QTest::newRow("defaults select every dive") << zento << metric << c << HEAD + QStringLiteral("  ") + ORDER.mid(1);

    c = dates(at(2004, 5, 1), at(2004, 5, 31));
    c.type = QStringLiteral("deco");
    c.byDepth = true;
    c.startDepth = QStringLiteral("10");
    c.stopDepth = QStringLiteral("30");
    c.byActivity = true;
    c.activity = 4;
    c.mode = QStringLiteral("nitrox");
    QTest::newRow("every criterion") << zento << metric << c
                                     << QStringLiteral(
                                            "SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL AND DECO_FLAG <> 0  "
                                            "AND [DATETIME] BETWEEN #05/01/2004 14:30# AND #05/31/2004 14:30#  "
                                            "AND MAX_DEPTH BETWEEN 10 AND 30  AND ACTIVITY = 4  AND DIVE_MODE "
                                            "= 1  ORDER BY [DATETIME] DESC");

    c = Choices();
    c.type = QStringLiteral("nodec");
    QTest::newRow("no-deco dives") << zento << metric << c << HEAD + QStringLiteral(" AND DECO_FLAG = 0 ") + ORDER;

    c = dates({}, {});
    QTest::newRow("untouched pickers: the moment of opening")
        << zento << metric << c
        << HEAD + QStringLiteral("  AND [DATETIME] BETWEEN #01/15/2026 10:30# AND #01/15/2026 10:30# ") + ORDER;
    c = dates(at(2004, 5, 1, 9, 5), at(2004, 5, 1, 9, 5));
    QTest::newRow("one minute")
        << zento << metric << c
        << HEAD + QStringLiteral("  AND [DATETIME] BETWEEN #05/01/2004 09:05# AND #05/01/2004 09:05# ") + ORDER;

    QTest::newRow("metric depths as typed") << zento << metric << depths(QStringLiteral("010"), QStringLiteral("30"))
                                            << HEAD + QStringLiteral("  AND MAX_DEPTH BETWEEN 010 AND 30 ") + ORDER;
    QTest::newRow("equal depths") << zento << metric << depths(QStringLiteral("18"), QStringLiteral("18"))
                                  << HEAD + QStringLiteral("  AND MAX_DEPTH BETWEEN 18 AND 18 ") + ORDER;
    // A reversed range is no mistake to refuse: it selects no dive.
    QTest::newRow("end date before start")
        << zento << metric << dates(at(2004, 5, 31), at(2004, 5, 1))
        << HEAD + QStringLiteral("  AND [DATETIME] BETWEEN #05/31/2004 14:30# AND #05/01/2004 14:30# ") + ORDER;
    QTest::newRow("end a minute before start")
        << zento << metric << dates(at(2004, 5, 1, 14, 30), at(2004, 5, 1, 14, 29))
        << HEAD + QStringLiteral("  AND [DATETIME] BETWEEN #05/01/2004 14:30# AND #05/01/2004 14:29# ") + ORDER;
    QTest::newRow("depths reversed") << zento << metric << depths(QStringLiteral("30"), QStringLiteral("10"))
                                     << HEAD + QStringLiteral("  AND MAX_DEPTH BETWEEN 30 AND 10 ") + ORDER;
    QTest::newRow("imperial depths in whole metres")
        << zento << QStringLiteral("1") << depths(QStringLiteral("33"), QStringLiteral("100"))
        << HEAD + QStringLiteral("  AND MAX_DEPTH BETWEEN  10 AND  30 ") + ORDER;

    c = Choices();
    c.byActivity = true;
    QTest::newRow("activity with nothing chosen") << zento << metric << c << HEAD + QStringLiteral("  ") + ORDER.mid(1);
    c.activity = 4;
    c.typedActivity = QStringLiteral("Night' OR '1'='1");
    QTest::newRow("typed activity is no item") << zento << metric << c << HEAD + QStringLiteral("  ") + ORDER.mid(1);
    c = Choices();
    c.activity = 4;
    QTest::newRow("activity chosen but unticked") << zento << metric << c << HEAD + QStringLiteral("  ") + ORDER.mid(1);
    c.byActivity = true;
    c.activity = 12;
    QTest::newRow("last activity") << zento << metric << c << HEAD + QStringLiteral("  AND ACTIVITY = 12 ") + ORDER;

    c = Choices();
    c.mode = QStringLiteral("air");
    QTest::newRow("air") << zento << metric << c << HEAD + QStringLiteral("  AND DIVE_MODE = 0 ") + ORDER;
    c.mode = QStringLiteral("bottom");
    QTest::newRow("bottom time") << zento << metric << c << HEAD + QStringLiteral("  AND DIVE_MODE = 2 ") + ORDER;
    QTest::newRow("bottom time on the Kobi")
        << QStringLiteral("32") << metric << c << HEAD + QStringLiteral("  AND DIVE_MODE = 3 ") + ORDER;
}

void tst_frmFilter::statements() {
    QFETCH(QString, model);
    QFETCH(QString, unit);
    QFETCH(Choices, choices);
    QFETCH(QString, statement);
    useSettings(model, unit);

    frmFilter d;
    choices.applyTo(d);
    d.btnOk_Click();
    QCOMPARE(shownTexts(*m_env->fakes.message), QStringList());
    QVERIFY(d.isOk);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(Settings::instance().currentFilter(), statement);
}

void tst_frmFilter::refusals_data() {
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<QList<qint32>>("messages");

    using Ids = QList<qint32>;
    QTest::newRow("start date before 1900") << dates(at(1899, 12, 31), at(2004, 5, 1)) << Ids{3015};
    QTest::newRow("end date before 1900") << dates(at(2004, 5, 1), at(1850, 1, 1)) << Ids{3016};

    QTest::newRow("both depths empty") << depths(QString(), QString()) << Ids{3017};
    QTest::newRow("start depth with a point") << depths(QStringLiteral("1.5"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("start depth with a sign") << depths(QStringLiteral("-5"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("start depth with a blank") << depths(QStringLiteral("1 0"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("start depth with a quote")
        << depths(QStringLiteral("10' OR '1'='1"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("start depth with a statement")
        << depths(QStringLiteral("10; DELETE FROM DIVE"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("start depth in other digits")
        << depths(QStringLiteral("\u0661\u0660"), QStringLiteral("30")) << Ids{3017};
    QTest::newRow("end depth empty") << depths(QStringLiteral("10"), QString()) << Ids{3018};
    QTest::newRow("end depth not a number") << depths(QStringLiteral("10"), QStringLiteral("abc")) << Ids{3018};
    QTest::newRow("end depth with a quote") << depths(QStringLiteral("10"), QStringLiteral("30'")) << Ids{3018};
    QTest::newRow("end depth with brackets") << depths(QStringLiteral("10"), QStringLiteral("[30]")) << Ids{3018};
    QTest::newRow("end depth too long to be a number") << depths(QStringLiteral("10"), QString(400, u'9')) << Ids{3018};
    Choices feet = depths(QString(309, u'9'), QStringLiteral("100"));
    feet.imperial = true;
    QTest::newRow("start depth in feet too long to be a number") << feet << Ids{3017};
    feet = depths(QStringLiteral("33"), QString(320, u'1'));
    feet.imperial = true;
    QTest::newRow("end depth in feet too long to be a number") << feet << Ids{3018};

    Choices both = dates(at(1800, 1, 1), at(2004, 5, 1));
    both.byDepth = true;
    both.startDepth = QStringLiteral("x");
    QTest::newRow("bad date and bad depth: two messages") << both << Ids{3015, 3017};
}

void tst_frmFilter::refusals() {
    QFETCH(Choices, choices);
    QFETCH(QList<qint32>, messages);
    if (choices.imperial)
        useSettings(QStringLiteral("1"), QStringLiteral("1"));
    Settings::instance().setCurrentFilter(BEFORE);
    for (int i = 0; i < messages.size(); ++i)
        m_env->fakes.message->answers.enqueue(Msg::Ok);

    frmFilter d;
    choices.applyTo(d);
    d.btnOk_Click();
    QCOMPARE(shownTexts(*m_env->fakes.message), texts(messages));
    for (const ShownMessage& m : m_env->fakes.message->shown) {
        QCOMPARE(m.flags, Msg::OkOnly | Msg::Critical);
        QCOMPARE(m.title, getString(1005));
    }
    QVERIFY(!d.isOk);
    QCOMPARE(d.result(), 0);
    QCOMPARE(Settings::instance().currentFilter(), BEFORE.trimmed());
}

void tst_frmFilter::modalResults() {
    Settings::instance().setCurrentFilter(BEFORE);
    {
        frmFilter d;
        whenShown([](frmFilter* shown) { shown->btnCancel->click(); });
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QVERIFY(!d.isOk);
        QCOMPARE(Settings::instance().currentFilter(), BEFORE.trimmed());
    }
    {
        frmFilter d;
        whenShown([](frmFilter* shown) { shown->close(); });
        d.exec();
        QVERIFY(!d.isOk);
        QCOMPARE(Settings::instance().currentFilter(), BEFORE.trimmed());
    }
    {
        frmFilter d;
        whenShown([](frmFilter* shown) {
            shown->optInDECO->click();
            shown->btnOk->click();
        });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QVERIFY(d.isOk);
        QCOMPARE(Settings::instance().currentFilter(), HEAD + QStringLiteral(" AND DECO_FLAG <> 0 ") + ORDER);
    }
    // A new dialog starts from the defaults again.
    frmFilter again;
    QVERIFY(again.optAllDives->isChecked());
}

void tst_frmFilter::refusedOkKeepsTheDialogOpen() {
    Settings::instance().setCurrentFilter(BEFORE);
    m_env->fakes.message->answers.enqueue(Msg::Ok);
    frmFilter d;
    bool stillShown = false;
    whenShown([&stillShown](frmFilter* shown) {
        shown->chkBetween->click();
        shown->fldStartDepth->setText(QStringLiteral("deep"));
        shown->btnOk->click();
        stillShown = shown->isVisible() && !shown->isOk;
        shown->btnCancel->click();
    });
    d.exec();
    QVERIFY(stillShown);
    QCOMPARE(d.fldStartDepth->text(), QStringLiteral("deep"));
    QVERIFY(!d.isOk);
    QCOMPARE(Settings::instance().currentFilter(), BEFORE.trimmed());
}

void tst_frmFilter::statementSelectsTheDives() {
    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
    Database db = Database::open(Settings::instance().databaseName());
    db.execute(QStringLiteral("INSERT INTO FILE (FILE_ID, FILENAME, DIVE_MODEL) VALUES (1, 'Elba', 1)"));
    const QString insert = QStringLiteral("INSERT INTO DIVE (DIVE_ID, FILE_ID, DATETIME, DECO_FLAG, MAX_DEPTH, "
                                          "ACTIVITY, DIVE_MODE) VALUES (?, 1, ?, ?, ?, ?, ?)");
    db.execute(insert, {1, QStringLiteral("2004-05-10 10:00:00"), 1, 20.5, 4, 1});
    db.execute(insert, {2, QStringLiteral("2004-06-01 10:00:00"), 1, 20.0, 4, 1}); // after the range
    db.execute(insert, {3, QStringLiteral("2004-05-20 10:00:00"), 0, 20.0, 4, 1}); // no deco
    db.execute(insert, {4, QStringLiteral("2004-05-21 10:00:00"), 1, 35.0, 4, 1}); // too deep
    db.execute(insert, {5, QStringLiteral("2004-05-22 10:00:00"), 1, 12.0, 4, 1});

    frmFilter d;
    Choices c = dates(at(2004, 5, 1), at(2004, 5, 31));
    c.type = QStringLiteral("deco");
    c.byDepth = true;
    c.startDepth = QStringLiteral("10");
    c.stopDepth = QStringLiteral("30");
    c.byActivity = true;
    c.activity = 4;
    c.mode = QStringLiteral("nitrox");
    c.applyTo(d);
    d.btnOk_Click();
    QVERIFY(d.isOk);

    Recordset rs(db, Settings::instance().currentFilter());
    QList<int> ids;
    for (; !rs.eof(); rs.moveNext())
        ids << rs.value(QStringLiteral("DIVE_ID")).toInt();
    QCOMPARE(ids, (QList<int>{5, 1}));
}

QTEST_MAIN(tst_frmFilter)
#include "tst_frmfilter.moc"
