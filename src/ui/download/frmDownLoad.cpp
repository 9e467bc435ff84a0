#include "frmDownLoad.h"

#include "Database.h"
#include "DbError.h"
#include "DiveModule.h"
#include "DownloadDriver.h"
#include "DownloadGauge.h"
#include "DownloadKOBI.h"
#include "DownloadPictures.h"
#include "FormLocalizer.h"
#include "LogbookPicker.h"
#include "Logbooks.h"
#include "MainModule.h"
#include "ModelCodes.h"
#include "Numeric.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "SavepointGuard.h"
#include "Seams.h"
#include "Settings.h"
#include "TransactionGuard.h"
#include "WindowHelpers.h"
#include "Workspace.h"
#include "frmSettings.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QTreeWidget>
#include <optional>

namespace {
constexpr int WIDTH = 560;
constexpr int HEIGHT = 360;

// A failure no handler of its own reports: where, what, then the error, as the main window
// reports its commands' failures.
void reportFailure(const QString& origin, const QString& what, const std::exception& error) {
    const ErrorDescription failure = describe(error);
    Seams::message().show(QStringLiteral("[%1] %2\n[%3] %4")
                              .arg(origin, what)
                              .arg(failure.number.value_or(DbError::Reserved))
                              .arg(failure.description),
                          Msg::OkOnly | Msg::Critical, getString(1005));
}

void showWarning(const QString& text) {
    Seams::message().show(text, Msg::OkOnly | Msg::Critical, getString(1005));
}

Database openLogbookDatabase() {
    return Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
}
} // namespace

frmDownLoad::frmDownLoad(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDownLoad"));
    setTag(this, QStringLiteral("1650"));
    Forms::add(this);
    buildControls();

    localizeForm(this);
    centerForm(this);
    downloadWorkspace = std::make_unique<TransactionGuard>(Workspace::defaultWorkspace());
    centerOverMainWindow();
    const qint32 model = Settings::instance().currentDiveComputer();
    setWindowTitle(getString(num::textToInt32(tagOf(this))) + u' ' + LogbookPicker::modelName(model));
    loadTreeView();
    Seams::busyPointer().setBusy(false);
}

frmDownLoad::~frmDownLoad() = default; // an open transaction is rolled back with its guard

void frmDownLoad::buildControls() {
    setFixedSize(WIDTH, HEIGHT);

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(0, 0, WIDTH, 34);
    Toolbar1->setIconSize(QSize(24, 24));
    const auto addButton = [this](const char* key, const char* toolTip) {
        QAction* action = Toolbar1->addAction(downloadToolIcon(QLatin1String(key)), QString());
        action->setObjectName(QLatin1String(key));
        action->setData(QLatin1String(key));
        action->setToolTip(QLatin1String(toolTip));
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(QLatin1String(key)); });
    };
    addButton("NEW", "1655");
    addButton("DELETE", "1656");
    Toolbar1->addSeparator();
    addButton("PREFERENCE", "1654");
    button(QStringLiteral("DELETE"))->setEnabled(false);

    tvTreeView = new QTreeWidget(this);
    tvTreeView->setObjectName(QStringLiteral("tvTreeView"));
    tvTreeView->setGeometry(8, 40, 250, HEIGHT - 48);
    tvTreeView->setHeaderHidden(true);
    tvTreeView->setRootIsDecorated(true);
    connect(tvTreeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { tvTreeView_NodeClick(item); });
    connect(tvTreeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { tvTreeView_NodeClick(item); });

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    setTag(lblTitle, QStringLiteral("1651"));
    lblTitle->setGeometry(270, 44, WIDTH - 278, 84);
    lblTitle->setWordWrap(true);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    setTag(Label1, QStringLiteral("2076"));
    Label1->setGeometry(270, 150, WIDTH - 278, 22);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    lblPhase = new QLabel(this);
    lblPhase->setObjectName(QStringLiteral("lblPhase"));
    setTag(lblPhase, QStringLiteral("1652"));
    lblPhase->setGeometry(270, 180, WIDTH - 278, 20);

    Gauge1 = new DownloadGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(270, 202, WIDTH - 278, 20);

    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    setTag(btnOk, QStringLiteral("1653"));
    btnOk->setGeometry(WIDTH - 204, HEIGHT - 40, 94, 28);
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    setTag(btnCancel, QStringLiteral("1012"));
    btnCancel->setGeometry(WIDTH - 102, HEIGHT - 40, 94, 28);
    // The dialog answers no keys of its own: Enter starts no download.
    for (QPushButton* b : {btnOk, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(btnOk, &QPushButton::clicked, this, &frmDownLoad::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmDownLoad::btnCancel_Click);
}

void frmDownLoad::centerOverMainWindow() {
    centerOver(this, parentWidget() ? parentWidget()->window() : nullptr);
}

QString frmDownLoad::keyOf(const QTreeWidgetItem* node) {
    return LogbookPicker::keyOf(node);
}

QTreeWidgetItem* frmDownLoad::node(const QString& key) const {
    return LogbookPicker::find(tvTreeView, key);
}

QAction* frmDownLoad::button(const QString& key) const {
    return Toolbar1->findChild<QAction*>(key);
}

void frmDownLoad::loadTreeView() {
    Database db = openLogbookDatabase();
    LogbookPicker::fill(tvTreeView, db, Settings::instance().currentDiveComputer());
    db.close();
}

void frmDownLoad::reloadTreeView() {
    const QString selected = keyOf(tvTreeView->selectedItems().value(0));
    tvTreeView->clear();
    loadTreeView();
    if (QTreeWidgetItem* again = node(selected))
        tvTreeView->setCurrentItem(again);
    if (!createdLogbookKey.isEmpty() && !node(createdLogbookKey)) {
        createdLogbookKey.clear();
        button(QStringLiteral("NEW"))->setEnabled(true);
    }
    tvTreeView_NodeClick(tvTreeView->selectedItems().value(0));
}

bool frmDownLoad::holdTransaction() {
    if (!downloadWorkspace)
        return false;
    if (downloadWorkspace->isActive())
        return true;
    // The engine has ended the transaction on its own (a write or the commit failed for a full disk),
    // taking back the logbook made here and the dives stored. A new one holds what comes next, or
    // a retry would be written and kept outside it, dive by dive.
    try {
        downloadWorkspace->rollback();
    } catch (...) {
        // Ended already: this only lets the guard go.
    }
    try {
        downloadWorkspace = std::make_unique<TransactionGuard>(Workspace::defaultWorkspace());
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("frmDownLoad"), QStringLiteral("The logbook database cannot be written now."),
                      error);
        return false;
    }
    try {
        reloadTreeView();
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("frmDownLoad"), QStringLiteral("The logbooks could not be read again."), error);
    }
    return true;
}

void frmDownLoad::btnOk_Click() {
    if (m_downloading || !holdTransaction())
        return;
    const QList<QTreeWidgetItem*> selected = tvTreeView->selectedItems();
    QTreeWidgetItem* target = selected.value(0);
    if (!target || keyOf(target).startsWith(QLatin1String("DC"))) {
        showWarning(getString(3010));
        return;
    }
    if (Seams::message().show(getStringWithArgs(3011, {QStringLiteral("|1"), target->text(0)}),
                              Msg::YesNo | Msg::Question, getString(1003)) != Msg::Yes)
        return;
    const QString targetKey = keyOf(target);
    Seams::events().processEvents();
    // A Cancel that ran meanwhile has ended the transaction the dives belong in.
    if (!downloadWorkspace)
        return;

    const qint32 model = Settings::instance().currentDiveComputer();
    downloadDriver = DownloadDriver::create(model);
    if (!downloadDriver) {
        Seams::message().show(QStringLiteral("Downloading is not provided for the dive computer model %1.").arg(model),
                              Msg::OkOnly, QString());
        return;
    }
    setDownloading(true);
    runDownload(targetKey.mid(2).toInt());
    setDownloading(false);
    // A failed store or commit may have ended the transaction: the tree shows what is left.
    holdTransaction();
}

void frmDownLoad::runDownload(qint32 fileID) {
    // Before the guard, which undoes through it.
    Database attemptDb;
    // What this download writes, taken back unless it is committed: a commit refused by another
    // program's lock leaves the transaction open, and a retry must find the logbook as it was
    // before this try, or it would count its own dives as already there.
    std::optional<SavepointGuard> attempt;
    bool stored = false;
    try {
        if (!downloadDriver->downloadProfiles(*Gauge1))
            return;
        const qint16 n = downloadDriver->getDiveImm();
        if (n <= 0)
            return;
        Seams::events().processEvents();
        Database db = openLogbookDatabase();
        attemptDb = db;
        attempt.emplace(attemptDb, QStringLiteral("download_attempt"));
        const QScopedValueRollback<bool> storing(m_storing, true);
        btnCancel->setEnabled(false);
        stored = downloadDriver->storeProfiles(db, fileID, n, *Gauge1);
    } catch (const std::exception& error) {
        // The transaction stays open: the user may try again or cancel.
        reportFailure(QStringLiteral("frmDownLoad.btnOk_Click"), QStringLiteral("The download could not be stored."),
                      error);
        return;
    }
    if (stored)
        commitDownload(*attempt);
}

void frmDownLoad::commitDownload(SavepointGuard& attempt) {
    if (downloadWorkspace) {
        try {
            downloadWorkspace->commit();
        } catch (const std::exception& error) {
            // Still open, without this download's dives, for a retry or Cancel; or ended by the engine
            // (see holdTransaction): either way nothing was stored, so no summary says otherwise.
            const ErrorDescription failure = describe(error);
            Seams::message().show(
                DownloadDriver::storingErrorText(failure.number.value_or(DbError::Reserved), failure.description),
                Msg::OkOnly | Msg::Critical, getString(1005));
            takeBackAttempt(attempt);
            return;
        }
        downloadWorkspace.reset();
    }
    // Shown only now: the dives it counts are in the logbook.
    if (downloadDriver)
        downloadDriver->showSummary();
    bOk = true;
    hide();
}

void frmDownLoad::takeBackAttempt(SavepointGuard& attempt) {
    try {
        attempt.rollback();
    } catch (const std::exception& error) {
        // The dives of this try would stay pending beside those of the next: all the dialog wrote goes
        // instead, and a new transaction holds what comes next (see holdTransaction).
        reportFailure(QStringLiteral("frmDownLoad.btnOk_Click"),
                      QStringLiteral("The dives of this download could not be taken back on their own: "
                                     "everything written in this window has been undone."),
                      error);
        try {
            downloadWorkspace->rollback();
        } catch (...) {
            // Ended in any case.
        }
    }
}

void frmDownLoad::setDownloading(bool downloading) {
    QAction* newButton = button(QStringLiteral("NEW"));
    QAction* deleteButton = button(QStringLiteral("DELETE"));
    m_downloading = downloading;
    if (downloading) {
        m_newEnabledBefore = newButton->isEnabled();
        btnOk->setEnabled(false);
        btnCancel->setEnabled(ModelCodes::model(Settings::instance().currentDiveComputer()) == ModelCode::dcKOBI);
        newButton->setEnabled(false);
        deleteButton->setEnabled(false);
        return;
    }
    btnOk->setEnabled(true);
    btnCancel->setEnabled(true);
    newButton->setEnabled(m_newEnabledBefore);
    tvTreeView_NodeClick(tvTreeView->selectedItems().value(0));
}

void frmDownLoad::btnCancel_Click() {
    if (m_storing)
        return;
    if (ModelCodes::model(Settings::instance().currentDiveComputer()) == ModelCode::dcKOBI) {
        auto* kobi = dynamic_cast<DownloadKOBI*>(downloadDriver.get());
        if (kobi && kobi->bAbortDownload) {
            kobi->bAbortDownload = false;
            return;
        }
    }
    // Ending the transaction under a running transfer would let its dives be stored outside it.
    if (m_downloading)
        return;
    rollbackTransaction();
    QDialog::reject();
}

void frmDownLoad::reject() {
    if (m_downloading)
        return;
    rollbackTransaction();
    QDialog::reject();
}

void frmDownLoad::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDownLoad::rollbackTransaction() {
    if (!downloadWorkspace)
        return;
    try {
        downloadWorkspace->rollback();
    } catch (...) {
        // The transaction has ended in any case; nothing of it was kept.
    }
    downloadWorkspace.reset();
}

void frmDownLoad::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("NEW"))
        newLogbook();
    else if (key == QLatin1String("DELETE"))
        deleteLogbook();
    else if (key == QLatin1String("PREFERENCE"))
        showPreferences();
}

void frmDownLoad::tvTreeView_NodeClick(QTreeWidgetItem* node) {
    if (m_downloading)
        return;
    button(QStringLiteral("DELETE"))
        ->setEnabled(node && !createdLogbookKey.isEmpty() && keyOf(node) == createdLogbookKey);
}

void frmDownLoad::newLogbook() {
    // A logbook written now would fall inside the store step's writes and go with them.
    if (m_downloading || !holdTransaction())
        return;
    QString name;
    try {
        name = LogbookPicker::askNewName();
        if (name.isEmpty())
            return;
        createdLogbookKey = QStringLiteral("LB") + QString::number(Logbooks::create(name));
    } catch (const RuntimeError& error) {
        if (error.number() == DbError::FieldTooSmall)
            showWarning(getString(3031));
        else
            reportFailure(QStringLiteral("frmDownLoad.Toolbar1_ButtonClick"),
                          QStringLiteral("The logbook could not be created."), error);
        holdTransaction();
        return;
    }

    LogbookPicker::selectNew(tvTreeView, name, createdLogbookKey);
    btnOk->setFocus();
    button(QStringLiteral("NEW"))->setEnabled(false);
    button(QStringLiteral("DELETE"))->setEnabled(true);
}

void frmDownLoad::deleteLogbook() {
    // The logbook may be the one the running download stores into.
    if (m_downloading || createdLogbookKey.isEmpty())
        return;
    QTreeWidgetItem* created = node(createdLogbookKey);
    QTreeWidgetItem* selected = tvTreeView->selectedItems().value(0);
    const QString text = selected ? selected->text(0) : created ? created->text(0) : QString();
    const int answer =
        Seams::message().show(getStringWithArgs(1659, {QStringLiteral("|1"), text}) + u'?', Msg::YesNo, QString());
    if (answer == Msg::Yes) {
        try {
            Database db = openLogbookDatabase();
            db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {createdLogbookKey.mid(2).toInt()});
            db.close();
            delete created;
            createdLogbookKey.clear();
        } catch (const std::exception& error) {
            reportFailure(QStringLiteral("frmDownLoad.Toolbar1_ButtonClick"),
                          QStringLiteral("The logbook could not be deleted."), error);
        }
    }
    button(QStringLiteral("NEW"))->setEnabled(true);
    button(QStringLiteral("DELETE"))->setEnabled(false);
    holdTransaction();
}

void frmDownLoad::showPreferences() {
    frmSettings settings(this);
    settings.tvSettings_NodeClick(settings.node(QStringLiteral("A2")));
    settings.exec();
}
