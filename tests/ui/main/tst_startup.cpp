#include "Database.h"
#include "Internationalization.h"
#include "LockHolder.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlScript.h"
#include "StartUp.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"
#include "frmSettings.h"
#include "frmSplash.h"

#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
// Runs `action` on the options dialog once it is shown modally. Start-up may let events run
// before the dialog exists, so the check repeats until it appears.
void whenSettingsShown(const std::function<void(frmSettings*)>& action, int attempts = 500) {
    QTimer::singleShot(0, [action, attempts] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<frmSettings*>(window); dialog && dialog->isVisible()) {
                action(dialog);
                return;
            }
        }
        if (attempts > 0)
            whenSettingsShown(action, attempts - 1);
        else
            QFAIL("the options dialog is not shown");
    });
}

// Deletes the windows that unloadAllForms left to the event loop.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString stored(const QString& key) {
    return SettingsStore::value(key, QStringLiteral("-"));
}

// A window that notes when it is closed.
class LoggingForm : public QWidget {
public:
    LoggingForm(const QString& name, QStringList& log) : m_log(log) {
        setObjectName(name);
        Forms::add(this);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        m_log.append(objectName());
        QWidget::closeEvent(event);
    }

private:
    QStringList& m_log;
};

} // namespace

class tst_StartUp : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void modelCheck_data();
    void modelCheck();
    void reducedOptionsDialog_data();
    void reducedOptionsDialog();
    void splashShowsVersion();
    void mainOpensMainWindowAfterChecks();
    void mainEndsWithoutMainWindowWhenNoModel();
    void mainWindowFindsTheDatabaseUpgraded();
    void lockedLogbookAtStartUp_data();
    void lockedLogbookAtStartUp();
    void unloadAllFormsLastLoadedFirst();
    void quittingOverAnUnwritableStore();
    void diveComputerName_data();
    void diveComputerName();
};

void tst_StartUp::cleanup() {
    unloadAllForms();
    flushDeletes();
    setMainWindowFactory({});
}

void tst_StartUp::modelCheck_data() {
    QTest::addColumn<QString>("storedCode");
    QTest::addColumn<bool>("valid");
    QTest::newRow("no model") << "0" << false;
    QTest::newRow("one model") << "32" << true;
    QTest::newRow("several model bits") << "3" << true;
    QTest::newRow("all model bits") << "63" << true;
    QTest::newRow("bit above the models") << "64" << false;
    QTest::newRow("negative") << "-1" << false;
}

void tst_StartUp::modelCheck() {
    QFETCH(QString, storedCode);
    QFETCH(bool, valid);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), storedCode);

    bool dialogShown = false;
    if (!valid)
        whenSettingsShown([&](frmSettings* dialog) {
            dialogShown = true;
            dialog->cmdCancel_Click();
        });
    QCOMPARE(checkDiveComputer(), valid);
    QCOMPARE(dialogShown, !valid);
    flushDeletes();
    QVERIFY(!isFormLoaded(QStringLiteral("frmSettings")));
    QCOMPARE(stored(QStringLiteral("DiveComputer")), storedCode);
}

void tst_StartUp::reducedOptionsDialog_data() {
    QTest::addColumn<int>("chosenModel"); // 0: none
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<int>("notices");
    QTest::newRow("OK without a choice") << 0 << true << "0" << 0;
    QTest::newRow("OK with a model") << 32 << true << "32" << 1;
    QTest::newRow("Cancel after a choice") << 32 << false << "0" << 0;
}

void tst_StartUp::reducedOptionsDialog() {
    QFETCH(int, chosenModel);
    QFETCH(bool, pressOk);
    QFETCH(QString, storedAfter);
    QFETCH(int, notices);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("0"));
    for (int i = 0; i < notices; ++i)
        env.fakes.message->answers.enqueue(Msg::Ok);

    QString caption;
    QStringList pageKeys;
    bool treeEnabled = true;
    bool generalShown = false;
    QString title;
    int titleSize = 0;
    bool modelSelected = true;
    whenSettingsShown([&](frmSettings* dialog) {
        caption = dialog->windowTitle();
        QTreeWidgetItem* root = dialog->node(QStringLiteral("settings"));
        for (int i = 0; i < root->childCount(); ++i)
            pageKeys << root->child(i)->data(0, Qt::UserRole).toString();
        treeEnabled = dialog->tvSettings->isEnabled();
        generalShown = !dialog->picOptions[0]->isHidden() && dialog->picOptions[0]->isEnabled();
        title = dialog->lbl_Setting->text();
        titleSize = dialog->lbl_Setting->font().pointSize();
        modelSelected = false;
        for (QRadioButton* option : {dialog->optZento, dialog->optLUMO, dialog->optZentoRGBM, dialog->optTAVEX,
                                     dialog->optLUMO_AIR, dialog->optKOBI})
            modelSelected = modelSelected || option->isChecked();
        if (chosenModel == 32)
            dialog->optKOBI->setChecked(true);
        if (pressOk)
            dialog->cmdOk_Click();
        else
            dialog->cmdCancel_Click();
    });

    QVERIFY(!checkDiveComputer());
    QCOMPARE(
        caption,
        QStringLiteral("S.O.N.A v.%1.%2.%3").arg(SONA_VERSION_MAJOR).arg(SONA_VERSION_MINOR).arg(SONA_VERSION_PATCH));
    QCOMPARE(pageKeys, QStringList{QStringLiteral("A0")});
    QVERIFY(!treeEnabled);
    QVERIFY(generalShown);
    QCOMPARE(title, QLatin1Char(' ') + getString(2093));
    QCOMPARE(titleSize, 14);
    QVERIFY(!modelSelected);
    QCOMPARE(stored(QStringLiteral("DiveComputer")), storedAfter);
    QCOMPARE(env.fakes.message->shown.size(), notices);
    QCOMPARE(env.fakes.message->unexpected, 0);
}

void tst_StartUp::splashShowsVersion() {
    TestEnvironment env;
    frmSplash splash;
    QCOMPARE(splash.lblVersion->text(),
             getString(1604) + QStringLiteral(" %1.%2").arg(SONA_VERSION_MAJOR).arg(SONA_VERSION_MINOR));
    QVERIFY(!splash.Image1->pixmap().isNull());
    QVERIFY(isFormLoaded(QStringLiteral("frmSplash")));
}

void tst_StartUp::mainOpensMainWindowAfterChecks() {
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("3"));

    bool splashShownAtCreation = false;
    int yieldsBeforeCreation = -1;
    QPointer<QWidget> created;
    setMainWindowFactory([&] {
        for (QWidget* form : Forms::loaded())
            splashShownAtCreation = splashShownAtCreation || (qobject_cast<frmSplash*>(form) && form->isVisible());
        yieldsBeforeCreation = env.fakes.events->calls;
        created = new QWidget;
        created->setObjectName(QStringLiteral("frmMain"));
        return created.data();
    });

    QVERIFY(Main());
    QVERIFY(splashShownAtCreation);
    QCOMPARE(yieldsBeforeCreation, 1);
    QCOMPARE(mainWindow(), created.data());
    QVERIFY(created->isVisible());
    QVERIFY(!isFormLoaded(QStringLiteral("frmSplash")));
    QVERIFY(isFormLoaded(QStringLiteral("frmMain")));
    QCOMPARE(env.fakes.events->calls, 1);
}

void tst_StartUp::mainEndsWithoutMainWindowWhenNoModel() {
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("0"));
    int created = 0;
    setMainWindowFactory([&] {
        ++created;
        return new QWidget;
    });
    whenSettingsShown([](frmSettings* dialog) { dialog->cmdOk_Click(); });

    QVERIFY(!Main());
    flushDeletes();
    QCOMPARE(created, 0);
    QVERIFY(Forms::loaded().isEmpty());
    QVERIFY(!Settings::exists());
}

void tst_StartUp::mainWindowFindsTheDatabaseUpgraded() {
    TestEnvironment env;
    const QString path = Settings::instance().databaseName();
    SqlScript::createDatabase(path, SqlScript::readFile(QStringLiteral(SONA_FIXTURES_DIR "/db_2_1.sql")));
    QString versionSeen;
    setMainWindowFactory([&] {
        Database db = Database::open(path);
        Recordset rs(db, QStringLiteral("SELECT VERSION FROM VERSION WHERE ID = 0"));
        versionSeen = rs.value(0).toString();
        return new QWidget;
    });

    QVERIFY(Main());
    QCOMPARE(versionSeen, QStringLiteral("2.2"));
}

void tst_StartUp::lockedLogbookAtStartUp_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("retry once it is let go") << Msg::Retry;
    QTest::newRow("cancel") << Msg::Cancel;
}

void tst_StartUp::lockedLogbookAtStartUp() {
    QFETCH(int, answer);
    TestEnvironment env;
    const QString path = Settings::instance().databaseName();
    SqlScript::createDatabase(path, SqlScript::readFile(QStringLiteral(SONA_FIXTURES_DIR "/db_2_1.sql")));
    auto other = std::make_unique<LockHolder>(path);
    QVERIFY(other->locked());
    env.fakes.message->answers << answer;
    // The other program lets go while the user reads the box.
    env.fakes.message->onShow = [&other](const ShownMessage&) { other.reset(); };
    int created = 0;
    QString versionSeen;
    setMainWindowFactory([&] {
        ++created;
        Database db = Database::open(path);
        Recordset rs(db, QStringLiteral("SELECT VERSION FROM VERSION WHERE ID = 0"));
        versionSeen = rs.value(0).toString();
        return new QWidget;
    });

    QCOMPARE(Main(), answer == Msg::Retry);
    QCOMPARE(env.fakes.message->shown.size(), 1);
    const ShownMessage& box = env.fakes.message->shown[0];
    QVERIFY2(box.text.contains(QStringLiteral("in use by another program")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("[3218] ")), qPrintable(box.text));
    QCOMPARE(box.flags, Msg::RetryCancel | Msg::Exclamation);
    if (answer == Msg::Retry) {
        // The wait did not skip the upgrade.
        QCOMPARE(created, 1);
        QCOMPARE(versionSeen, QStringLiteral("2.2"));
    } else {
        flushDeletes();
        QCOMPARE(created, 0);
        QVERIFY(Forms::loaded().isEmpty());
        Database db = Database::open(path);
        Recordset rs(db, QStringLiteral("SELECT VERSION FROM VERSION WHERE ID = 0"));
        QCOMPARE(rs.value(0).toString(), QStringLiteral("2.1"));
    }
}

void tst_StartUp::quittingOverAnUnwritableStore() {
    TestEnvironment env;
    frmDiveComputerDisplay::showFloating();
    frmDisplayTissue::showFloating();
    QVERIFY(env.makeStoreUnwritable());
    env.fakes.message->answers << Msg::Ok << Msg::Ok;
    unloadAllForms();
    flushDeletes();
    QVERIFY(!frmDiveComputerDisplay::loaded());
    QVERIFY(!frmDisplayTissue::loaded());
    QCOMPARE(env.fakes.message->shown.size(), 2);
    for (const ShownMessage& box : env.fakes.message->shown)
        QVERIFY2(box.text.contains(QStringLiteral("[75] ")), qPrintable(box.text));
}

void tst_StartUp::unloadAllFormsLastLoadedFirst() {
    TestEnvironment env;
    QStringList closed;
    for (const char* name : {"first", "second", "third"})
        (new LoggingForm(QLatin1String(name), closed))->show();
    Settings::instance();
    Internationalization::instance();

    unloadAllForms();
    QCOMPARE(closed, (QStringList{"third", "second", "first"}));
    QVERIFY(!Internationalization::exists());
    QVERIFY(!Settings::exists());

    // A shutdown that runs again before the windows are gone does not close them twice.
    unloadAllForms();
    QCOMPARE(closed.size(), 3);
    flushDeletes();
    QVERIFY(Forms::loaded().isEmpty());

    // Nothing is written by shutdown; a later use reads the store afresh.
    QCOMPARE(stored(QStringLiteral("SerialPort")), QStringLiteral("-"));
    env.storeSetting(QStringLiteral("SerialPort"), QStringLiteral("7"));
    QCOMPARE(Settings::instance().comPort(), qint16(7));
}

void tst_StartUp::diveComputerName_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << "zento";
    QTest::newRow("2") << 2 << "Lumo";
    QTest::newRow("4") << 4 << "zento RGBM";
    QTest::newRow("8") << 8 << "Tavex";
    QTest::newRow("16") << 16 << "Lumo Air";
    QTest::newRow("32") << 32 << "Kobi";
    QTest::newRow("several model bits") << 3 << "";
    QTest::newRow("none") << 0 << "";
    QTest::newRow("above the models") << 64 << "";
    QTest::newRow("negative") << -1 << "";
}

void tst_StartUp::diveComputerName() {
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(getDiveComputerName(qint16(code)), name);
}

QTEST_MAIN(tst_StartUp)
#include "tst_startup.moc"
