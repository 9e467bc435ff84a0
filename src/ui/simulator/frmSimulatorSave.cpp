#include "frmSimulatorSave.h"

#include "Database.h"
#include "Dive.h"
#include "DownloadPictures.h"
#include "FormLocalizer.h"
#include "LogbookPicker.h"
#include "Logbooks.h"
#include "MainModule.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SimulatedDiveStore.h"
#include "SimulatorLook.h"
#include "SimulatorTexts.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "Workspace.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QTreeWidget>

QString frmSimulatorSave::newLogbookKey;

namespace {

QString modelName() {
    return LogbookPicker::modelName(Settings::instance().currentDiveComputer());
}

void showWarning(const QString& text) {
    Seams::message().show(text, Msg::OkOnly | Msg::Critical, getString(1005));
}

QString errorText(const std::exception& error) {
    const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
    return runtime ? QStringLiteral("[%1] %2").arg(runtime->number()).arg(runtime->description())
                   : QString::fromLocal8Bit(error.what());
}
} // namespace

frmSimulatorSave::frmSimulatorSave(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSimulatorSave"));
    setTag(this, QStringLiteral("1872"));
    Forms::add(this);
    buildControls();
    localizeForm(this);
    placeOverMainWindow();
    setWindowTitle(getString(1872) + u' ' + modelName());
    loadLogbookTree();
    Seams::busyPointer().setBusy(false);
}

frmSimulatorSave::~frmSimulatorSave() = default;

void frmSimulatorSave::buildControls() {
    setFixedSize(Twips::pixels(4620), Twips::pixels(4545));

    Label1 = SimulatorLook::heading(this, QStringLiteral("Label1"), QStringLiteral("1872"));
    Label1->setGeometry(Twips::pixels(15, 15, 4545, 480));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips::pixels(0, 510, 1815, 3420));
    Image1->setPixmap(SimulatorLook::savePicture(Image1->size()));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(Twips::pixels(1830, 525, 2745, 330));
    Toolbar1->setIconSize(QSize(16, 16));
    for (const char* key : {"NEW", "DELETE"}) {
        QAction* action = Toolbar1->addAction(downloadToolIcon(QLatin1String(key)), QString());
        action->setObjectName(QLatin1String(key));
        action->setToolTip(QLatin1String(key) == QLatin1String("NEW") ? QStringLiteral("1655")
                                                                      : QStringLiteral("1656"));
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(QLatin1String(key)); });
    }
    button(QStringLiteral("DELETE"))->setEnabled(false);

    tvTreeView = new QTreeWidget(this);
    tvTreeView->setObjectName(QStringLiteral("tvTreeView"));
    tvTreeView->setGeometry(Twips::pixels(1830, 930, 2760, 3030));
    tvTreeView->setHeaderHidden(true);
    connect(tvTreeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { tvTreeView_NodeClick(item); });

    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    setTag(btnOk, QStringLiteral("1010"));
    btnOk->setGeometry(Twips::pixels(1980, 4035, 1245, 375));
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    setTag(btnCancel, QStringLiteral("1012"));
    btnCancel->setGeometry(Twips::pixels(3315, 4035, 1245, 375));
    for (QPushButton* b : {btnOk, btnCancel})
        b->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &frmSimulatorSave::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmSimulatorSave::btnCancel_Click);
}

void frmSimulatorSave::placeOverMainWindow() {
    QWidget* main = parentWidget();
    while (main && main->parentWidget())
        main = main->parentWidget();
    centerOver(this, main);
}

QString frmSimulatorSave::keyOf(const QTreeWidgetItem* node) {
    return LogbookPicker::keyOf(node);
}

QTreeWidgetItem* frmSimulatorSave::node(const QString& key) const {
    return LogbookPicker::find(tvTreeView, key);
}

QAction* frmSimulatorSave::button(const QString& key) const {
    return Toolbar1->findChild<QAction*>(key);
}

void frmSimulatorSave::loadLogbookTree() {
    try {
        Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
        LogbookPicker::fill(tvTreeView, db, Settings::instance().currentDiveComputer());
    } catch (const std::exception& error) {
        // Without its logbooks the dialog still lets the user cancel.
        showWarning(errorText(error));
    }
}

void frmSimulatorSave::btnOk_Click() {
    if (m_saving)
        return;
    QTreeWidgetItem* target = tvTreeView->selectedItems().value(0);
    if (!target || keyOf(target).startsWith(QLatin1String("DC"))) {
        showWarning(getString(3010));
        return;
    }
    if (Seams::message().show(getStringWithArgs(1873, {QStringLiteral("|1"), target->text(0)}),
                              Msg::YesNo | Msg::Question, getString(1003)) != Msg::Yes)
        return;
    if (!m_simDive)
        return;

    const QScopedValueRollback<bool> saving(m_saving, true);
    try {
        const SimulatedDiveStore::Saved saved =
            SimulatedDiveStore::save(*m_simDive, keyOf(target).mid(2).toInt(), Seams::clock().now());
        logbookID = saved.logbookID;
        diveID = saved.diveID;
        diveLabel = saved.diveLabel;
        bOk = true;
    } catch (const std::exception& error) {
        // Nothing of the dive is in the logbook: the user may pick another logbook or cancel.
        Seams::message().show(QStringLiteral("Errore in scrittura del record ") +
                                  m_simDive->getDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + u'\n' +
                                  SimulatorTexts::text(SimulatorTexts::Text::NotSaved) + u'\n' + errorText(error),
                              Msg::OkOnly, QString());
        bOk = false;
        return;
    }
    accept();
}

void frmSimulatorSave::btnCancel_Click() {
    if (m_saving)
        return;
    bOk = false;
    reject();
}

void frmSimulatorSave::closeEvent(QCloseEvent* event) {
    if (m_saving) {
        event->ignore();
        return;
    }
    m_simDive.reset();
    QDialog::closeEvent(event);
}

void frmSimulatorSave::keyPressEvent(QKeyEvent* event) {
    // Escape is the Cancel button, with its result.
    if (event->key() == Qt::Key_Escape) {
        btnCancel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmSimulatorSave::Toolbar1_ButtonClick(const QString& key) {
    if (m_saving)
        return;
    if (key == QLatin1String("NEW"))
        newLogbook();
    else if (key == QLatin1String("DELETE"))
        deleteLogbook();
}

void frmSimulatorSave::tvTreeView_NodeClick(QTreeWidgetItem* node) {
    button(QStringLiteral("DELETE"))->setEnabled(node && !newLogbookKey.isEmpty() && keyOf(node) == newLogbookKey);
}

void frmSimulatorSave::newLogbook() {
    QString name;
    qint32 fileID = 0;
    try {
        name = LogbookPicker::askNewName();
        if (name.isEmpty())
            return;
        fileID = Logbooks::create(name);
    } catch (const std::exception& error) {
        showWarning(errorText(error));
        return;
    }
    newLogbookKey = QStringLiteral("LB") + QString::number(fileID);
    LogbookPicker::selectNew(tvTreeView, name, newLogbookKey);
    btnOk->setFocus();
    button(QStringLiteral("NEW"))->setEnabled(false);
    button(QStringLiteral("DELETE"))->setEnabled(true);
}

void frmSimulatorSave::deleteLogbook() {
    if (newLogbookKey.isEmpty())
        return;
    QTreeWidgetItem* created = node(newLogbookKey);
    QTreeWidgetItem* selected = tvTreeView->selectedItems().value(0);
    const QString name = selected ? selected->text(0) : created ? created->text(0) : QString();
    const qint32 fileID = newLogbookKey.mid(2).toInt();
    try {
        // The schema deletes a logbook's dives with it: a logbook that holds dives stays.
        if (Logbooks::diveCount(fileID) > 0) {
            showWarning(SimulatorTexts::text(SimulatorTexts::Text::LogbookNotEmpty).replace(QLatin1String("|1"), name));
            return;
        }
        if (Seams::message().show(getStringWithArgs(1659, {QStringLiteral("|1"), name}) + u'?', Msg::YesNo,
                                  QString()) == Msg::Yes) {
            Logbooks::remove(fileID);
            delete created;
        }
    } catch (const std::exception& error) {
        showWarning(errorText(error));
    }
    button(QStringLiteral("NEW"))->setEnabled(true);
    button(QStringLiteral("DELETE"))->setEnabled(false);
}
