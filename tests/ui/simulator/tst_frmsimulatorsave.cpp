#include "Dive.h"
#include "LogbookFixture.h"
#include "ModelEnvironment.h"
#include "Seams.h"
#include "SimulatedDive.h"
#include "TestEnvironment.h"
#include "frmSimulatorSave.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

class tst_frmSimulatorSave : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = modelEnvironment(4);
        m_logbooks = std::make_unique<LogbookFixture>();
        m_redSea = m_logbooks->logbook(QStringLiteral("Red Sea"), 4);
        m_logbooks->logbook(QStringLiteral("Lakes"), 8);
        frmSimulatorSave::newLogbookKey.clear();
        m_dive = SimulatedDive::create();
        m_dive->addSample(50, 0, 0, 0);
    }
    void cleanup() {
        const int unexpected = m_env->fakes.message->unexpected;
        m_logbooks.reset();
        m_env.reset();
        QCOMPARE(unexpected, 0);
    }

    void opening();
    void okRefused_data();
    void okRefused();
    void confirmedSave();
    void refusedRow_data();
    void refusedRow();
    void newLogbookNames();
    void newLogbookCancelled();
    void deleteLogbook();
    void deleteRefusedWhileHoldingDives();

private:
    std::unique_ptr<frmSimulatorSave> dialog() {
        auto d = std::make_unique<frmSimulatorSave>();
        d->setCurrentDive(m_dive);
        return d;
    }
    QStringList messages() const {
        QStringList texts;
        for (const ShownMessage& m : m_env->fakes.message->shown)
            texts.append(m.text);
        return texts;
    }
    qint32 dives() {
        Recordset rs(m_logbooks->db, QStringLiteral("SELECT COUNT(*) FROM DIVE"));
        return rs.value(0).toInt();
    }
    void select(frmSimulatorSave& d, const QString& key) {
        QTreeWidgetItem* item = d.node(key);
        QVERIFY(item);
        d.tvTreeView->setCurrentItem(item);
        d.tvTreeView_NodeClick(item);
    }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<LogbookFixture> m_logbooks;
    std::shared_ptr<Dive> m_dive;
    qint32 m_redSea = 0;
};

void tst_frmSimulatorSave::opening() {
    auto d = dialog();
    QCOMPARE(d->windowTitle(), QStringLiteral("Save Simulation zento RGBM"));
    QTreeWidgetItem* root = d->tvTreeView->topLevelItem(0);
    QCOMPARE(d->tvTreeView->topLevelItemCount(), 1);
    QCOMPARE(frmSimulatorSave::keyOf(root), QStringLiteral("DCzento RGBM"));
    QVERIFY(root->isExpanded());
    QCOMPARE(root->childCount(), 1);
    QCOMPARE(root->child(0)->text(0), QStringLiteral("Red Sea"));
    QCOMPARE(frmSimulatorSave::keyOf(root->child(0)), QStringLiteral("LB%1").arg(m_redSea));
    QVERIFY(d->button(QStringLiteral("NEW"))->isEnabled());
    QVERIFY(!d->button(QStringLiteral("DELETE"))->isEnabled());
    QVERIFY(!d->bOk);
    QCOMPARE(d->Label1->text(), QStringLiteral("Save Simulation"));
}

void tst_frmSimulatorSave::okRefused_data() {
    QTest::addColumn<QString>("selected"); // "" for none, "root" for the model
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("nothing selected") << "" << QList<int>{Msg::Ok}
                                      << QStringList{"Select a Logbook from the list on the left."};
    QTest::newRow("the model selected") << "root" << QList<int>{Msg::Ok}
                                        << QStringList{"Select a Logbook from the list on the left."};
    QTest::newRow("save declined, asked again")
        << "logbook" << QList<int>{Msg::No, Msg::No}
        << QStringList{"Are you sure you want to save the simulation in the logbook Red Sea",
                       "Are you sure you want to save the simulation in the logbook Red Sea"};
}

void tst_frmSimulatorSave::okRefused() {
    QFETCH(QString, selected);
    QFETCH(QList<int>, answers);
    auto d = dialog();
    d->logbookID = QStringLiteral("7");
    if (selected == QLatin1String("root"))
        select(*d, QStringLiteral("DCzento RGBM"));
    else if (selected == QLatin1String("logbook"))
        select(*d, QStringLiteral("LB%1").arg(m_redSea));
    m_env->fakes.message->answers.append(answers);
    d->btnOk_Click();
    if (answers.size() > 1)
        d->btnOk_Click();
    QTEST(messages(), "shown");
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QVERIFY(!d->bOk);
    QCOMPARE(d->logbookID, QStringLiteral("7"));
    QCOMPARE(dives(), 0);
}

void tst_frmSimulatorSave::confirmedSave() {
    auto d = dialog();
    select(*d, QStringLiteral("LB%1").arg(m_redSea));
    m_env->fakes.message->answers.append(Msg::Yes);
    d->btnOk_Click();
    QVERIFY(d->bOk);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(d->logbookID, QString::number(m_redSea));
    QCOMPARE(m_logbooks->column(d->diveID.toInt(), QStringLiteral("IS_SIMUL")).toInt(), 1);
    QCOMPARE(m_logbooks->column(d->diveID.toInt(), QStringLiteral("DATETIME")).toString(),
             QStringLiteral("2026-01-15 10:30:00"));
    QVERIFY(!d->diveLabel.isEmpty());
    QCOMPARE(dives(), 1);
}

void tst_frmSimulatorSave::refusedRow_data() {
    QTest::addColumn<QString>("cause");
    QTest::newRow("logbook deleted behind the dialog") << "deleted";
    QTest::newRow("a dive of that second already saved") << "duplicate";
    QTest::newRow("read-only database") << "read-only";
}

void tst_frmSimulatorSave::refusedRow() {
    QFETCH(QString, cause);
    auto d = dialog();
    select(*d, QStringLiteral("LB%1").arg(m_redSea));
    if (cause == QLatin1String("deleted"))
        m_logbooks->db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {m_redSea});
    if (cause == QLatin1String("duplicate"))
        m_logbooks->dive(m_redSea, m_env->fakes.clock->current);
    if (cause == QLatin1String("read-only"))
        m_logbooks->db.execute(QStringLiteral("PRAGMA query_only = ON"));
    const qint32 before = dives();
    d->diveID = QStringLiteral("12");
    m_env->fakes.message->answers.append({Msg::Yes, Msg::Ok});
    d->btnOk_Click();
    m_logbooks->db.execute(QStringLiteral("PRAGMA query_only = OFF"));

    QCOMPARE(messages().size(), 2);
    QVERIFY(messages().at(1).startsWith(QLatin1String("Errore in scrittura del record ")));
    QVERIFY(messages().at(1).contains(QLatin1String("The simulated dive was not saved.")));
    QCOMPARE(m_env->fakes.message->shown.at(1).flags, Msg::OkOnly);
    QVERIFY(!d->bOk);
    QCOMPARE(d->diveID, QStringLiteral("12"));
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(dives(), before);
}

void tst_frmSimulatorSave::newLogbookNames() {
    auto d = dialog();
    m_env->fakes.input->answers.append({QStringLiteral("abcdefghijklmnopqrstu"), QStringLiteral("Diver's"),
                                        QStringLiteral("red sea"), QStringLiteral("abcdefghijklmnopqrst")});
    m_env->fakes.message->answers.append({Msg::Ok, Msg::Ok, Msg::Ok});
    d->Toolbar1_ButtonClick(QStringLiteral("NEW"));
    QCOMPARE(messages(), (QStringList{"The name entered is too long. The maximum is 20 characters.",
                                      "The following characters cannot be used: & ' % *",
                                      "The name entered already exists. Change the name."}));
    QCOMPARE(m_env->fakes.input->prompts.value(0), QStringLiteral("Logbook Name:"));

    QTreeWidgetItem* created = d->tvTreeView->currentItem();
    QVERIFY(created);
    QCOMPARE(created->text(0), QStringLiteral("abcdefghijklmnopqrst"));
    QCOMPARE(frmSimulatorSave::keyOf(created), frmSimulatorSave::newLogbookKey);
    QVERIFY(!d->button(QStringLiteral("NEW"))->isEnabled());
    QVERIFY(d->button(QStringLiteral("DELETE"))->isEnabled());

    // OK saves into the new logbook without another choice.
    m_env->fakes.message->answers.append(Msg::Yes);
    d->btnOk_Click();
    QVERIFY(d->bOk);
    QCOMPARE(QStringLiteral("LB") + d->logbookID, frmSimulatorSave::newLogbookKey);
}

void tst_frmSimulatorSave::newLogbookCancelled() {
    auto d = dialog();
    m_env->fakes.input->answers.append(QStringLiteral("   "));
    d->Toolbar1_ButtonClick(QStringLiteral("NEW"));
    QCOMPARE(d->tvTreeView->topLevelItem(0)->childCount(), 1);
    QVERIFY(frmSimulatorSave::newLogbookKey.isEmpty());
    QVERIFY(d->button(QStringLiteral("NEW"))->isEnabled());
}

void tst_frmSimulatorSave::deleteLogbook() {
    auto d = dialog();
    m_env->fakes.input->answers.append(QStringLiteral("Sim"));
    d->Toolbar1_ButtonClick(QStringLiteral("NEW"));
    const QString key = frmSimulatorSave::newLogbookKey;

    m_env->fakes.message->answers.append(Msg::No);
    d->Toolbar1_ButtonClick(QStringLiteral("DELETE"));
    QCOMPARE(messages().last(), QStringLiteral("Delete Logbook Sim: are you sure??"));
    QVERIFY(d->node(key));
    QVERIFY(d->button(QStringLiteral("NEW"))->isEnabled());
    QVERIFY(!d->button(QStringLiteral("DELETE"))->isEnabled());

    select(*d, QStringLiteral("LB%1").arg(m_redSea));
    QVERIFY(!d->button(QStringLiteral("DELETE"))->isEnabled());
    select(*d, key);
    QVERIFY(d->button(QStringLiteral("DELETE"))->isEnabled());
    m_env->fakes.message->answers.append(Msg::Yes);
    d->Toolbar1_ButtonClick(QStringLiteral("DELETE"));
    QVERIFY(!d->node(key));
    Recordset rs(m_logbooks->db, QStringLiteral("SELECT COUNT(*) FROM FILE WHERE FILE_ID = ?"), {key.mid(2).toInt()});
    QCOMPARE(rs.value(0).toInt(), 0);
}

void tst_frmSimulatorSave::deleteRefusedWhileHoldingDives() {
    {
        auto first = dialog();
        m_env->fakes.input->answers.append(QStringLiteral("Sim"));
        first->Toolbar1_ButtonClick(QStringLiteral("NEW"));
        m_env->fakes.message->answers.append(Msg::Yes);
        first->btnOk_Click();
        QVERIFY(first->bOk);
    }
    // A later showing: the logbook made before holds the saved dive.
    auto d = dialog();
    QVERIFY(!d->bOk);
    select(*d, frmSimulatorSave::newLogbookKey);
    QVERIFY(d->button(QStringLiteral("DELETE"))->isEnabled());
    m_env->fakes.message->answers.append(Msg::Ok);
    d->Toolbar1_ButtonClick(QStringLiteral("DELETE"));
    QCOMPARE(messages().last(), QStringLiteral("The logbook Sim holds dives and cannot be deleted here."));
    QVERIFY(d->node(frmSimulatorSave::newLogbookKey));
    QCOMPARE(dives(), 1);
}

QTEST_MAIN(tst_frmSimulatorSave)
#include "tst_frmsimulatorsave.moc"
