#include "CutText.h"
#include "DiveModule.h"
#include "InterfaceLibraries.h"
#include "LogbookFixture.h"
#include "QtTranslations.h"
#include "StartUp.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"
#include "WindowHelpers.h"
#include "frmAbout.h"
#include "frmDiveComputerSettings.h"
#include "frmDownLoad.h"
#include "frmDownloadConfirmDialog.h"
#include "frmFilter.h"
#include "frmImportDB.h"
#include "frmMain.h"
#include "frmModifyDateTime.h"
#include "frmPreview.h"
#include "frmPrint.h"
#include "frmProfile.h"
#include "frmSettings.h"
#include "frmSimulator.h"
#include "frmSimulatorSave.h"
#include "frmSimulatorSettings.h"
#include "frmSplash.h"
#include "frmStats.h"
#include "frmStatsAskForMode.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QtTest>
#include <functional>

// Every window and dialog, in each of the six languages, at the size it opens with: no caption,
// button text, frame title, tab caption or list column title is cut, and no two texts overlap.
// The faces are measured by their own check and left out here.

namespace {

// A logbook of the air-integrated Tavex, so that the tank fields show too, with a nitrox dive.
constexpr int MODEL = 8;

struct World {
    explicit World(int language) {
        env.storeSetting(QStringLiteral("Language"), QString::number(language));
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(MODEL));
        env.storeSetting(QStringLiteral("Statistics"), QStringLiteral("2"));
        env.restart();
        env.fakes.message->failOnUnexpected = false;
        QtTranslations::install(qint16(language));
        // The About window and the download windows show the libraries' versions.
        InterfaceLibraries::installEmulated();
        book = std::make_unique<LogbookFixture>();
        logbook = book->logbook(QStringLiteral("Red Sea"), MODEL);
        QString samples;
        for (int depth : {30, 120, 180, 180, 150, 90, 50, 30, 0})
            samples += QStringLiteral("%1").arg(depth, 4, 10, QLatin1Char('0')) + QString(16, QLatin1Char('0'));
        dive = book->dive(logbook, at(2004, 3, 5, 9, 30),
                          {{QStringLiteral("DIVER"), QStringLiteral("Anna")},
                           {QStringLiteral("LOCATION"), QStringLiteral("Blue Hole")},
                           {QStringLiteral("ACTIVITY"), 0},
                           {QStringLiteral("DIVE_MODE"), 1},
                           {QStringLiteral("MIX_NITROX"), 32},
                           {QStringLiteral("MAX_DEPTH"), 18.0},
                           {QStringLiteral("DIVE_TIME"), 3},
                           {QStringLiteral("SAMPLE"), samples}});
        Settings::instance().setCurrentLogbookID(logbook);
        Settings::instance().setCurrentDiveID(dive);
    }
    ~World() {
        unloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QtTranslations::install(Settings::LANG_ENGLISH);
        InterfaceLibraries::reset();
    }

    TestEnvironment env;
    std::unique_ptr<LogbookFixture> book;
    qint32 logbook = 0;
    qint32 dive = 0;
};

using Opener = std::function<QWidget*(World&)>;

bool isFace(const QWidget* w) {
    return w->inherits("DiveComputerDisplay") || w->objectName() == QLatin1String("DiveComputerDisplay1");
}

void settle(QWidget* window) {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    window->update();
}

QStringList cutsIn(QWidget* window, const QString& state) {
    settle(window);
    // With SONA_SCREENSHOT_DIR set, each state checked is saved as a picture too, for looking.
    CutText::saveLook(window, state);
    QStringList found = CutText::findIn(window, isFace);
    for (QString& line : found)
        line.prepend(state + QStringLiteral(": "));
    return found;
}

// Brings the pages that hold `widget` to the front of their tab sets.
void reveal(QWidget* widget) {
    for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget()))
            stack->setCurrentWidget(w);
    }
}

// The window as it opens, then each page of its page tree and of each of its tab sets.
QStringList cutsOnEveryPage(QWidget* window) {
    QStringList found = cutsIn(window, QStringLiteral("as opened"));
    for (QTreeWidget* pages : window->findChildren<QTreeWidget*>(QStringLiteral("tvSettings"))) {
        for (int root = 0; root < pages->topLevelItemCount(); ++root) {
            for (int i = 0; i < pages->topLevelItem(root)->childCount(); ++i) {
                QTreeWidgetItem* page = pages->topLevelItem(root)->child(i);
                pages->setCurrentItem(page);
                found += cutsIn(window, QStringLiteral("page %1").arg(page->text(0)));
            }
        }
    }
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        reveal(tabs);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            found += cutsIn(window, QStringLiteral("%1 page %2").arg(tabs->objectName()).arg(i));
        }
    }
    return found;
}

// The main window's tabs follow the tree: each list and dive tab is shown as the diver reaches it.
QStringList cutsInMainWindow(World& world) {
    auto* window = new frmMain;
    window->show();
    QStringList found;
    window->tvTreeview_nodeClic(window->node(TreeNodeKey::root(MODEL)), false);
    found += cutsIn(window, QStringLiteral("logbook list"));
    window->tvTreeview_nodeClic(window->node(TreeNodeKey::logbook(world.logbook)), false);
    found += cutsIn(window, QStringLiteral("dive list"));
    window->changeCurrentTab(1);
    found += cutsIn(window, QStringLiteral("calendar"));
    window->tvTreeview_nodeClic(window->node(TreeNodeKey::dive(world.dive)), false);
    for (qint16 tab = 2; tab <= 7; ++tab) {
        window->changeCurrentTab(tab);
        found += cutsIn(window, QStringLiteral("dive tab %1").arg(tab));
    }
    return found;
}

QList<QPair<QString, Opener>> windows() {
    return {
        {QStringLiteral("splash"), [](World&) { return new frmSplash; }},
        {QStringLiteral("about"), [](World&) { return new frmAbout; }},
        {QStringLiteral("filter"), [](World&) { return new frmFilter; }},
        {QStringLiteral("options"), [](World&) { return new frmSettings; }},
        {QStringLiteral("date and time"), [](World&) { return new frmModifyDateTime; }},
        {QStringLiteral("import"), [](World&) { return new frmImportDB; }},
        {QStringLiteral("dive computer settings"), [](World&) { return new frmDiveComputerSettings; }},
        {QStringLiteral("download"), [](World&) { return new frmDownLoad; }},
        {QStringLiteral("download confirmation"), [](World&) { return new frmDownloadConfirmDialog; }},
        {QStringLiteral("profile window"),
         [](World& w) {
             auto* window = new frmProfile;
             window->addDive(DiveModule::loadDive(w.dive, false), nullptr);
             return window;
         }},
        {QStringLiteral("statistics"), [](World&) { return new frmStats; }},
        {QStringLiteral("statistics scope"), [](World&) { return new frmStatsAskForMode; }},
        {QStringLiteral("simulator"), [](World&) { return new frmSimulator; }},
        {QStringLiteral("simulator save"), [](World&) { return new frmSimulatorSave; }},
        {QStringLiteral("simulator parameters"),
         [](World& w) {
             auto* window = new frmSimulatorSettings;
             window->addDive(DiveModule::loadDive(w.dive, false));
             return window;
         }},
        {QStringLiteral("print"), [](World&) { return new frmPrint; }},
        {QStringLiteral("preview"), [](World&) { return new frmPreview; }},
    };
}

// A list of dives in three columns, 400 x 200, the last column stretching.
QTreeWidget* diveList(QWidget* window, const QList<QStringList>& rows) {
    auto* list = new QTreeWidget(window);
    list->setObjectName(QStringLiteral("lvDives"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Date/Time"), QStringLiteral("Activity"), QStringLiteral("Mode")});
    for (const QStringList& row : rows)
        list->addTopLevelItem(new QTreeWidgetItem(row));
    list->setGeometry(0, 0, 400, 200);
    list->setColumnWidth(0, 150);
    list->setColumnWidth(1, 100);
    return list;
}

// A tree of pages, 120 px wide, as the dialogs have, with one page under its open root.
QTreeWidget* pageTree(QWidget* window) {
    auto* tree = new QTreeWidget(window);
    tree->setObjectName(QStringLiteral("tvPages"));
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Preferences")});
    root->addChild(new QTreeWidgetItem({QStringLiteral("General")}));
    root->setExpanded(true);
    tree->setGeometry(10, 10, 120, 150);
    return tree;
}

const char* const LANGUAGES[] = {"English", "French", "German", "Italian", "Portuguese", "Spanish"};

} // namespace

class tst_CutText : public QObject {
    Q_OBJECT
private slots:
    // The check itself, on the smallest windows that show each fault.
    void findsWhatIsCut_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fits") << "none"
                              << "";
        QTest::newRow("label too narrow") << "narrow"
                                          << "lblNarrow \"Dekompressionsstopps\": the text needs";
        QTest::newRow("clipped by its frame") << "clipped"
                                              << "lblClipped \"Zwischen\"";
        QTest::newRow("overlap") << "overlap"
                                 << "\"Between\" and";
        QTest::newRow("check box") << "check"
                                   << "chkLong \"Tauchgang mit Dekompressionsstopps\"";
        QTest::newRow("list column") << "column"
                                     << "column 1 \"Activity\": the title needs";
        QTest::newRow("items that fit, hidden or folded") << "items"
                                                          << "";
        QTest::newRow("tree item") << "tree"
                                   << "tvPages item \"Téléchargement des données\": the text needs";
        QTest::newRow("list item") << "list"
                                   << "lstKinds item \"DECO with Ascent violation\": the text needs";
        QTest::newRow("list scrolled across") << "across"
                                              << "lstKinds: the items need";
        QTest::newRow("list cell") << "cell"
                                   << "lvDives column 1 item \"Exploration\": the text needs";
        QTest::newRow("item out of sight") << "out of sight"
                                           << "tvPages item \"Condiciones meteorológicas de la inmersión\": the text";
    }
    void findsWhatIsCut() {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QWidget window;
        window.resize(420, 200);
        const auto label = [&window](const char* name, const char* text, QRect geometry, QWidget* parent = nullptr) {
            auto* l = new QLabel(QString::fromUtf8(text), parent ? parent : &window);
            l->setObjectName(QLatin1String(name));
            l->setGeometry(geometry);
            return l;
        };
        if (fault == QLatin1String("none")) {
            label("lblFits", "Depth", QRect(10, 10, 120, 20));
        } else if (fault == QLatin1String("narrow")) {
            label("lblNarrow", "Dekompressionsstopps", QRect(10, 10, 40, 20));
        } else if (fault == QLatin1String("clipped")) {
            auto* frame = new QWidget(&window);
            frame->setGeometry(10, 10, 40, 40);
            label("lblClipped", "Zwischen", QRect(10, 10, 120, 20), frame);
        } else if (fault == QLatin1String("overlap")) {
            label("lblBetween", "Between", QRect(10, 10, 120, 20));
            label("lblAnd", "And", QRect(40, 12, 120, 20));
        } else if (fault == QLatin1String("check")) {
            auto* box = new QCheckBox(QStringLiteral("Tauchgang mit Dekompressionsstopps"), &window);
            box->setObjectName(QStringLiteral("chkLong"));
            box->setGeometry(10, 10, 120, 20);
        } else if (fault == QLatin1String("column")) {
            auto* list = new QTreeWidget(&window);
            list->setHeaderLabels({QStringLiteral("Date/Time"), QStringLiteral("Activity"), QStringLiteral("Mode")});
            list->setGeometry(0, 0, 300, 200);
            list->setColumnWidth(0, 150);
            list->setColumnWidth(1, 20);
        } else if (fault == QLatin1String("items")) {
            auto* list = diveList(&window, {{"05/03/2004 09:30", "Reef", "Air"}});
            list->hideColumn(1);
            auto* tree = pageTree(&window);
            tree->topLevelItem(0)->child(0)->addChild(
                new QTreeWidgetItem({QStringLiteral("Téléchargement des données")}));
        } else if (fault == QLatin1String("tree")) {
            pageTree(&window)->topLevelItem(0)->addChild(
                new QTreeWidgetItem({QStringLiteral("Téléchargement des données")}));
        } else if (fault == QLatin1String("list")) {
            auto* list = new QListWidget(&window);
            list->setObjectName(QStringLiteral("lstKinds"));
            list->addItems({QStringLiteral("Normal"), QStringLiteral("DECO with Ascent violation")});
            list->setGeometry(10, 10, 100, 100);
        } else if (fault == QLatin1String("across")) {
            auto* list = new QListWidget(&window);
            list->setObjectName(QStringLiteral("lstKinds"));
            list->addItem(QStringLiteral("Normal"));
            list->item(0)->setSizeHint(QSize(300, 20));
            list->setGeometry(10, 10, 100, 100);
        } else if (fault == QLatin1String("cell")) {
            diveList(&window, {{"05/03/2004 09:30", "Exploration", "Air"}})->setColumnWidth(1, 60);
        } else if (fault == QLatin1String("out of sight")) {
            // Wide enough a column, in a tree that is not.
            auto* tree = pageTree(&window);
            tree->topLevelItem(0)->addChild(
                new QTreeWidgetItem({QStringLiteral("Condiciones meteorológicas de la inmersión")}));
            tree->header()->setStretchLastSection(false);
            tree->setColumnWidth(0, 400);
        }
        window.show();
        const QStringList found = CutText::findIn(&window);
        if (expected.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        } else {
            QVERIFY2(found.size() == 1, qPrintable(found.join(u'\n')));
            QVERIFY2(found.constFirst().contains(expected), qPrintable(found.constFirst()));
        }
    }

    void everyTextReadsWhole_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("language");
        QStringList names{QStringLiteral("main window")};
        for (const auto& [name, open] : windows())
            names.append(name);
        for (const QString& name : names) {
            for (int language = 0; language < 6; ++language)
                QTest::newRow(qPrintable(name + QStringLiteral(", ") + QLatin1String(LANGUAGES[language])))
                    << name << language;
        }
    }
    void everyTextReadsWhole() {
        QFETCH(QString, window);
        QFETCH(int, language);
        World world(language);
        QStringList found;
        if (window == QLatin1String("main window")) {
            found = cutsInMainWindow(world);
        } else {
            for (const auto& [name, open] : windows()) {
                if (name != window)
                    continue;
                QPointer<QWidget> shown = open(world);
                shown->show();
                found = cutsOnEveryPage(shown);
                delete shown.data();
            }
        }
        for (const QString& line : found)
            qInfo("%s", qPrintable(line));
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 texts do not read whole").arg(found.size())));
    }
};

// Offscreen, the windows open on a desktop screen of 1280 x 1024 at 96 dots per inch, as a diver's is,
// rather than on the small screen the platform makes up: a window's first size follows its screen.
int main(int argc, char* argv[]) {
    if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SONA_FIXTURES_DIR "/desktop-screen.json");
    QApplication app(argc, argv);
    tst_CutText test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_cuttext.moc"
