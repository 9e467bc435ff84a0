#include "FormLocalizer.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

// Every case runs in English, so the expected texts read as the English string table.
class tst_FormLocalizer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formCaption_data();
    void formCaption();
    void labels_data();
    void labels();
    void menuEntries_data();
    void menuEntries();
    void menuTitlesAndSeparators();
    void tabWidgetPages();
    void standaloneTabBar();
    void toolbarTipsAndDropDowns();
    void coolBandDropDownsUntouched();
    void listHeaders();
    void otherControls_data();
    void otherControls();
    void failingControlDoesNotStopOthers();
    void secondPassKeepsTexts();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_FormLocalizer::init() {
    m_env = std::make_unique<TestEnvironment>();
    m_env->storeSetting("Language", "0");
}

void tst_FormLocalizer::cleanup() {
    m_env.reset();
}

void tst_FormLocalizer::formCaption_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::newRow("number") << "1650"
                            << "Download data from ";
    QTest::newRow("no tag keeps the design caption") << ""
                                                     << "Design";
    QTest::newRow("number and text is not a number") << "1650 Download"
                                                     << "Design";
    QTest::newRow("number without a string") << "1006"
                                             << "";
}

void tst_FormLocalizer::formCaption() {
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QWidget form;
    form.setWindowTitle("Design");
    setTag(&form, tag);
    localizeForm(&form);
    QCOMPARE(form.windowTitle(), caption);
}

void tst_FormLocalizer::labels_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::newRow("number") << "1012"
                            << "Cancel";
    QTest::newRow("number with blanks around") << " 1012 "
                                               << "Cancel";
    QTest::newRow("number and text is not a number") << "1012 Cancel"
                                                     << "Design";
    QTest::newRow("no tag") << ""
                            << "Design";
    QTest::newRow("number without a string") << "1006"
                                             << "";
}

void tst_FormLocalizer::labels() {
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QWidget form;
    auto* label = new QLabel("Design", &form);
    setTag(label, tag);
    localizeForm(&form);
    QCOMPARE(label->text(), caption);
}

void tst_FormLocalizer::menuEntries_data() {
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("caption");
    QTest::newRow("number and fallback") << "1305 Filter"
                                         << "&Filters";
    QTest::newRow("number alone") << "1305"
                                  << "&Filters";
    QTest::newRow("no number") << "&Filter"
                               << "&Filter";
    QTest::newRow("dash caption") << "-"
                                  << "-";
    QTest::newRow("number without a string") << "1006 Nothing"
                                             << "";
}

void tst_FormLocalizer::menuEntries() {
    QFETCH(QString, design);
    QFETCH(QString, caption);
    QWidget form;
    auto* bar = new QMenuBar(&form);
    QMenu* menu = bar->addMenu("1300 Logbook");
    QAction* entry = menu->addAction(design);
    QMenu* submenu = menu->addMenu("1311 Profile");
    QAction* nested = submenu->addAction(design);
    localizeForm(&form);
    QCOMPARE(entry->text(), caption);
    QCOMPARE(nested->text(), caption);
}

void tst_FormLocalizer::menuTitlesAndSeparators() {
    QWidget form;
    auto* bar = new QMenuBar(&form);
    QMenu* file = bar->addMenu("1321 File");
    QMenu* help = bar->addMenu("1315 Help");
    file->addAction("1303 Print");
    QAction* separator = file->addSeparator();
    file->addAction("1307 Exit");
    localizeForm(&form);
    QCOMPARE(file->title(), "&File");
    QCOMPARE(help->title(), "&Help");
    QVERIFY(separator->isSeparator());
    QCOMPARE(separator->text(), "");
    const QList<QAction*> entries = file->actions();
    QCOMPARE(entries[0]->text(), "&Print");
    QCOMPARE(entries[2]->text(), "&Exit");
}

void tst_FormLocalizer::tabWidgetPages() {
    QWidget form;
    auto* tabs = new QTabWidget(&form);
    const QStringList design = {"1400 List", "1407 Calendar", "1402 General", "1403 Settings", "1404 Technical"};
    for (const QString& caption : design)
        tabs->addTab(new QWidget, caption);
    localizeForm(&form);
    const QStringList expected = {"List ", "Calendar", "General Info.", "Settings", "Technical Info."};
    for (int i = 0; i < tabs->count(); ++i)
        QCOMPARE(tabs->tabText(i), expected[i]);
}

void tst_FormLocalizer::standaloneTabBar() {
    QWidget form;
    auto* bar = new QTabBar(&form);
    bar->addTab("Tree");
    bar->setTabData(0, "1322");
    bar->setTabToolTip(0, "1323");
    bar->addTab("Panel");
    bar->setTabToolTip(1, "1323");
    localizeForm(&form);
    QCOMPARE(bar->tabText(0), "LogBook/Dives");
    QCOMPARE(bar->tabToolTip(0), "Profile Display");
    // A tab without a caption number keeps its caption and still gets its tool tip.
    QCOMPARE(bar->tabText(1), "Panel");
    QCOMPARE(bar->tabToolTip(1), "Profile Display");
}

namespace {
// A toolbar button whose drop-down lists the help languages, as the main window's help button does.
QAction* addDropDownButton(QToolBar* toolbar, QWidget* form) {
    auto* menu = new QMenu(form);
    QAction* english = menu->addAction("1305 English");
    setTag(english, "2067");
    QAction* french = menu->addAction("French");
    setTag(french, "2068");
    menu->addAction("1305 Untagged");
    QAction* button = toolbar->addAction("Help");
    button->setToolTip("1315");
    button->setMenu(menu);
    return button;
}
} // namespace

void tst_FormLocalizer::toolbarTipsAndDropDowns() {
    QWidget form;
    auto* toolbar = new QToolBar(&form);
    QAction* download = toolbar->addAction("Download");
    download->setToolTip("1309");
    toolbar->addSeparator();
    QAction* help = addDropDownButton(toolbar, &form);
    // A list placed on the toolbar keeps its number in its own tool tip, as the preview's zoom list.
    auto* zoom = new QComboBox;
    zoom->setToolTip("1758");
    toolbar->addWidget(zoom);
    localizeForm(&form);
    QCOMPARE(download->toolTip(), "&Download Data");
    QCOMPARE(help->toolTip(), "&Help");
    QCOMPARE(zoom->toolTip(), "Zoom Percentage");
    const QList<QAction*> entries = help->menu()->actions();
    QCOMPARE(entries[0]->text(), "English");
    QCOMPARE(entries[1]->text(), "French");
    QCOMPARE(entries[2]->text(), "1305 Untagged");
}

void tst_FormLocalizer::coolBandDropDownsUntouched() {
    QWidget form;
    auto* toolbar = new QToolBar(&form);
    toolbar->setProperty("coolBand", true);
    QAction* help = addDropDownButton(toolbar, &form);
    localizeForm(&form);
    QCOMPARE(help->toolTip(), "&Help");
    const QList<QAction*> entries = help->menu()->actions();
    QCOMPARE(entries[0]->text(), "1305 English");
    QCOMPARE(entries[1]->text(), "French");
    QCOMPARE(entries[2]->text(), "1305 Untagged");
}

void tst_FormLocalizer::listHeaders() {
    QWidget form;
    auto* list = new QTreeWidget(&form);
    list->setProperty("listView", true);
    list->setColumnCount(3);
    list->setHeaderLabels({"Log", "Count", "Depth"});
    list->headerItem()->setData(0, Qt::UserRole, "1490");
    list->headerItem()->setData(1, Qt::UserRole, "1491");
    auto* tree = new QTreeWidget(&form);
    tree->setHeaderLabels({"Tree"});
    tree->headerItem()->setData(0, Qt::UserRole, "1490");
    localizeForm(&form);
    QCOMPARE(list->headerItem()->text(0), "Log Book");
    QCOMPARE(list->headerItem()->text(1), "Number of Dive");
    QCOMPARE(list->headerItem()->text(2), "Depth");
    QCOMPARE(tree->headerItem()->text(0), "Tree");
}

void tst_FormLocalizer::otherControls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expectedTip");
    QTest::newRow("button number") << "button"
                                   << "1012"
                                   << ""
                                   << "Cancel"
                                   << "";
    QTest::newRow("button leading number") << "button"
                                           << "1012 Cancel"
                                           << ""
                                           << "Cancel"
                                           << "";
    QTest::newRow("button no tag") << "button"
                                   << ""
                                   << ""
                                   << "Design"
                                   << "";
    QTest::newRow("button zero") << "button"
                                 << "0"
                                 << ""
                                 << "Design"
                                 << "";
    QTest::newRow("button negative") << "button"
                                     << "-1012"
                                     << ""
                                     << "Design"
                                     << "";
    QTest::newRow("button text first") << "button"
                                       << "Cancel 1012"
                                       << ""
                                       << "Design"
                                       << "";
    QTest::newRow("button number without a string") << "button"
                                                    << "1006"
                                                    << ""
                                                    << ""
                                                    << "";
    QTest::newRow("check box") << "check"
                               << "1013"
                               << ""
                               << "Close"
                               << "";
    QTest::newRow("option button") << "option"
                                   << "2009 Current"
                                   << ""
                                   << "Current Dive"
                                   << "";
    QTest::newRow("frame") << "frame"
                           << "2008"
                           << ""
                           << "Dives "
                           << "";
    QTest::newRow("tool tip number") << "button"
                                     << ""
                                     << "1715"
                                     << "Design"
                                     << "Click to select the activity";
    QTest::newRow("tool tip leading number") << "button"
                                             << "1012"
                                             << "1715 Click"
                                             << "Cancel"
                                             << "Click to select the activity";
    QTest::newRow("tool tip without number") << "button"
                                             << ""
                                             << "Press here"
                                             << "Design"
                                             << "Press here";
    QTest::newRow("no caption, tool tip still done") << "edit"
                                                     << "1012"
                                                     << "1715"
                                                     << "Design"
                                                     << "Click to select the activity";
}

void tst_FormLocalizer::otherControls() {
    QFETCH(QString, kind);
    QFETCH(QString, tag);
    QFETCH(QString, tip);
    QFETCH(QString, caption);
    QFETCH(QString, expectedTip);
    QWidget form;
    QWidget* control = nullptr;
    std::function<QString()> text;
    if (kind == "button") {
        auto* button = new QPushButton("Design", &form);
        control = button;
        text = [button] { return button->text(); };
    } else if (kind == "check") {
        auto* box = new QCheckBox("Design", &form);
        control = box;
        text = [box] { return box->text(); };
    } else if (kind == "option") {
        auto* option = new QRadioButton("Design", &form);
        control = option;
        text = [option] { return option->text(); };
    } else if (kind == "frame") {
        auto* frame = new QGroupBox("Design", &form);
        control = frame;
        text = [frame] { return frame->title(); };
    } else {
        auto* edit = new QLineEdit("Design", &form);
        control = edit;
        text = [edit] { return edit->text(); };
    }
    setTag(control, tag);
    control->setToolTip(tip);
    localizeForm(&form);
    QCOMPARE(text(), caption);
    QCOMPARE(control->toolTip(), expectedTip);
}

void tst_FormLocalizer::failingControlDoesNotStopOthers() {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* overflowing = new QLabel("Overflow");
    setTag(overflowing, "99999999999");
    auto* notNumber = new QLabel("Text");
    setTag(notNumber, "abc");
    auto* button = new QPushButton("Design");
    setTag(button, "99999999999 Big");
    button->setToolTip("1715");
    auto* label = new QLabel("Design");
    setTag(label, "1010");
    for (QWidget* w : {static_cast<QWidget*>(overflowing), static_cast<QWidget*>(notNumber),
                       static_cast<QWidget*>(button), static_cast<QWidget*>(label)})
        layout->addWidget(w);
    localizeForm(&form);
    QCOMPARE(overflowing->text(), "Overflow");
    QCOMPARE(notNumber->text(), "Text");
    QCOMPARE(button->text(), "Design");
    QCOMPARE(button->toolTip(), "Click to select the activity");
    QCOMPARE(label->text(), "OK");
}

// The profile window localises itself again on every resize.
void tst_FormLocalizer::secondPassKeepsTexts() {
    QWidget form;
    setTag(&form, "1800");
    auto* bar = new QMenuBar(&form);
    QAction* entry = bar->addMenu("1300 Logbook")->addAction("1305 Filter");
    auto* tabs = new QTabWidget(&form);
    tabs->addTab(new QWidget, "1453 Profile");
    auto* toolbar = new QToolBar(&form);
    QAction* tool = toolbar->addAction("Print");
    tool->setToolTip("1807");
    auto* label = new QLabel(&form);
    setTag(label, "1012");
    auto* button = new QPushButton(&form);
    setTag(button, "1013 Close");
    localizeForm(&form);
    localizeForm(&form);
    QCOMPARE(form.windowTitle(), "Dive Profile");
    QCOMPARE(entry->text(), "&Filters");
    QCOMPARE(tabs->tabText(0), "Profile");
    QCOMPARE(tool->toolTip(), "Print Profile");
    QCOMPARE(label->text(), "Cancel");
    QCOMPARE(button->text(), "Close");
}

QTEST_MAIN(tst_FormLocalizer)
#include "tst_formlocalizer.moc"
