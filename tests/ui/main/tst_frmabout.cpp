#include "FakeDownload.h"
#include "MainModule.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
// A system-information tool that is found but will not start.
class UnstartableSystemInfo : public SystemInfoService {
public:
    QString locate() const override { return QStringLiteral("/usr/bin/hardinfo"); }
    bool start(const QString&) override { return false; }
};

// One that fails while being looked for.
class BrokenSystemInfo : public SystemInfoService {
public:
    QString locate() const override {
        throw RuntimeError(5, QStringLiteral("SystemInfo"), QStringLiteral("Invalid procedure call"));
    }
    bool start(const QString&) override { return true; }
};
} // namespace

// The About window: the versions it shows and the system-information tool it starts.
class tst_frmAbout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void texts();
    void libraryVersions_data();
    void libraryVersions();
    void systemInfo_data();
    void systemInfo();
    void okCloses();

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDownloadWorld> world;
};

void tst_frmAbout::init() {
    env = std::make_unique<TestEnvironment>();
    world = std::make_unique<FakeDownloadWorld>();
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
}

void tst_frmAbout::cleanup() {
    world.reset();
    env.reset();
}

void tst_frmAbout::texts() {
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Information about  S.O.N.A"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 2.2.3"));
    QCOMPARE(about.lblDescription->text(), getString(1602));
    QCOMPARE(about.lblDisclaimer->text(), getString(1601));
    QCOMPARE(about.cmdSysInfo->text(), getString(1603));
    QCOMPARE(about.cmdOk->text(), QStringLiteral("OK"));
    QVERIFY(!about.Image1->pixmap().isNull());
}

void tst_frmAbout::libraryVersions_data() {
    QTest::addColumn<QString>("failing"); // the library whose version call fails
    QTest::addColumn<QString>("shown");
    QTest::newRow("all three") << ""
                               << "Dll: Version 104, 230, 105";
    QTest::newRow("tavex library missing") << "b330"
                                           << "Dll: Version 104, -, 105";
}

void tst_frmAbout::libraryVersions() {
    QFETCH(QString, failing);
    QFETCH(QString, shown);
    world->zento->version = 104;
    world->b330->version = 230;
    if (failing == "b330")
        world->b330->failingCall = QStringLiteral("getVersion");
    frmAbout about;
    QCOMPARE(about.lblDllVersion->text(), shown);
    QCOMPARE(world->zento->calls, QStringList{"getVersion"});
    QCOMPARE(world->b770->calls, QStringList{"getVersion"});
}

void tst_frmAbout::systemInfo_data() {
    QTest::addColumn<QString>("tool"); // "found", "none", "unstartable", "broken"
    QTest::addColumn<bool>("started");
    QTest::newRow("found") << "found" << true;
    QTest::newRow("none installed") << "none" << false;
    QTest::newRow("will not start") << "unstartable" << false;
    QTest::newRow("search fails") << "broken" << false;
}

void tst_frmAbout::systemInfo() {
    QFETCH(QString, tool);
    QFETCH(bool, started);
    if (tool == "found")
        env->fakes.systemInfo->path = QStringLiteral("/usr/bin/hardinfo");
    else if (tool == "unstartable")
        Seams::install(std::make_unique<UnstartableSystemInfo>());
    else if (tool == "broken")
        Seams::install(std::make_unique<BrokenSystemInfo>());
    frmAbout about;
    about.show();
    if (!started)
        env->fakes.message->answers << Msg::Ok;
    about.cmdSysInfo->click();

    if (tool == "found")
        QCOMPARE(env->fakes.systemInfo->started, QStringList{"/usr/bin/hardinfo"});
    if (started) {
        QVERIFY(env->fakes.message->shown.isEmpty());
    } else {
        QCOMPARE(env->fakes.message->shown.size(), 1);
        QCOMPARE(env->fakes.message->shown[0].text, QStringLiteral("The system information cannot be displayed."));
        QCOMPARE(env->fakes.message->shown[0].flags, Msg::OkOnly);
        QCOMPARE(env->fakes.message->shown[0].title, QStringLiteral("Information"));
    }
    QVERIFY(about.isVisible());
}

void tst_frmAbout::okCloses() {
    frmAbout about;
    about.show();
    about.cmdOk->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
