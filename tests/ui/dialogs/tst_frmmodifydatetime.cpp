#include "MainModule.h"
#include "TestEnvironment.h"
#include "frmModifyDateTime.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

namespace {
const QDateTime CURRENT(QDate(2004, 5, 31), QTime(14, 30, 0));

// The re-date command's sequence before the modal show.
void prepare(frmModifyDateTime& d, const QDateTime& current) {
    d.lbl_CurrentDateTime->setText(current.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    d.DTNewDate->setDate(current.date());
    d.DTNewTime->setTime(current.time());
}

// Runs `action` on the dialog as soon as it is shown modally.
void whenShown(const std::function<void(frmModifyDateTime*)>& action) {
    QTimer::singleShot(0, [action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<frmModifyDateTime*>(window); dialog && dialog->isVisible()) {
                action(dialog);
                return;
            }
        }
        QFAIL("the date and time dialog is not shown");
    });
}
} // namespace

class tst_frmModifyDateTime : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadIsLocalized();
    void results_data();
    void results();
    void cancelAfterAnEarlierOk();
    void dateRange_data();
    void dateRange();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_frmModifyDateTime::init() {
    m_env = std::make_unique<TestEnvironment>();
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->restart();
}

void tst_frmModifyDateTime::cleanup() {
    m_env.reset();
}

void tst_frmModifyDateTime::loadIsLocalized() {
    frmModifyDateTime d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Change Date/Time"));
    QCOMPARE(d.lbl_Title->text(), QStringLiteral("Change Date/Time"));
    QCOMPARE(d.lblCurrentDateTime->text(), QStringLiteral("Date and Time of Current Dive"));
    QCOMPARE(d.lblNewDateTime->text(), QStringLiteral("New Date/Time"));
    QCOMPARE(d.OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(d.CancelButton->text(), QStringLiteral("Cancel"));
    QCOMPARE(d.lbl_CurrentDateTime->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
    QVERIFY(!d.bOk);
}

void tst_frmModifyDateTime::results_data() {
    QTest::addColumn<QDate>("newDate"); // null: untouched
    QTest::addColumn<QTime>("newTime");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QDateTime>("result");

    QTest::newRow("OK untouched") << QDate() << QTime() << "ok" << true << CURRENT;
    QTest::newRow("only the time") << QDate() << QTime(9, 5, 0) << "ok" << true
                                   << QDateTime(CURRENT.date(), QTime(9, 5, 0));
    QTest::newRow("only the date") << QDate(2004, 6, 2) << QTime() << "ok" << true
                                   << QDateTime(QDate(2004, 6, 2), CURRENT.time());
    QTest::newRow("seconds survive") << QDate() << QTime(14, 31, 45) << "ok" << true
                                     << QDateTime(CURRENT.date(), QTime(14, 31, 45));
    QTest::newRow("Cancel") << QDate(2004, 6, 2) << QTime() << "cancel" << false << QDateTime();
    QTest::newRow("close box") << QDate(2004, 6, 2) << QTime() << "close" << false << QDateTime();
}

void tst_frmModifyDateTime::results() {
    QFETCH(QDate, newDate);
    QFETCH(QTime, newTime);
    QFETCH(QString, action);
    QFETCH(bool, ok);
    QFETCH(QDateTime, result);

    frmModifyDateTime d;
    prepare(d, CURRENT);
    whenShown([&](frmModifyDateTime* shown) {
        if (newDate.isValid())
            shown->DTNewDate->setDate(newDate);
        if (newTime.isValid())
            shown->DTNewTime->setTime(newTime);
        if (action == u"ok")
            shown->OKButton->click();
        else if (action == u"cancel")
            shown->CancelButton->click();
        else
            shown->close();
    });
    d.exec();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.bOk, ok);
    if (ok)
        QCOMPARE(d.newDateTime, result);
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_frmModifyDateTime::cancelAfterAnEarlierOk() {
    frmModifyDateTime d;
    prepare(d, CURRENT);
    whenShown([](frmModifyDateTime* shown) { shown->OKButton->click(); });
    d.exec();
    QVERIFY(d.bOk);

    whenShown([](frmModifyDateTime* shown) { shown->CancelButton->click(); });
    d.exec();
    QVERIFY(!d.bOk);
}

void tst_frmModifyDateTime::dateRange_data() {
    QTest::addColumn<QDateTime>("chosen");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("first day of 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << true;
    QTest::newRow("last day of 9999") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)) << true;
    QTest::newRow("last day of 1899") << QDateTime(QDate(1899, 12, 31), QTime(23, 59, 59)) << false;
    QTest::newRow("year 100") << QDateTime(QDate(100, 1, 1), QTime(12, 0)) << false;
}

void tst_frmModifyDateTime::dateRange() {
    QFETCH(QDateTime, chosen);
    QFETCH(bool, accepted);
    if (!accepted)
        m_env->fakes.message->answers.enqueue(Msg::Ok);

    frmModifyDateTime d;
    prepare(d, CURRENT);
    bool stayedOpen = false;
    whenShown([&](frmModifyDateTime* shown) {
        shown->DTNewDate->setDate(chosen.date());
        shown->DTNewTime->setTime(chosen.time());
        shown->OKButton->click();
        stayedOpen = shown->isVisible();
        if (stayedOpen)
            shown->CancelButton->click();
    });
    d.exec();
    QCOMPARE(d.bOk, accepted);
    QCOMPARE(stayedOpen, !accepted);
    if (accepted) {
        QCOMPARE(d.newDateTime, chosen);
        QCOMPARE(m_env->fakes.message->shown.size(), 0);
    } else {
        QCOMPARE(m_env->fakes.message->shown.size(), 1);
        const ShownMessage& m = m_env->fakes.message->shown.first();
        QCOMPARE(m.text, getString(3015));
        QCOMPARE(m.flags, Msg::OkOnly | Msg::Critical);
        QCOMPARE(m.title, getString(1005));
    }
}

QTEST_MAIN(tst_frmModifyDateTime)
#include "tst_frmmodifydatetime.moc"
