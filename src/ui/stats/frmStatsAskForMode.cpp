#include "frmStatsAskForMode.h"

#include "FormLocalizer.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsWrite.h"
#include "StatsScope.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>

qint16 frmStatsAskForMode::chosenMode = 0;

using Twips::pixels;

namespace {
template <typename Control> Control* control(QWidget* parent, const char* name, const char* tag, const QRect& at) {
    auto* c = new Control(parent);
    c->setObjectName(QLatin1String(name));
    setTag(c, QLatin1String(tag));
    c->setGeometry(at);
    return c;
}
} // namespace

qint16 frmStatsAskForMode::settleScope(QWidget* parent) {
    const Settings& settings = Settings::instance();
    if (!StatsScope::asksUser(settings.currentStatisticsMode(), settings.currentLogbookID()))
        return StatsScope::modeWithoutAsking(settings.currentStatisticsMode(), settings.currentLogbookID());
    frmStatsAskForMode question(parent);
    question.exec();
    return question.getStatsMode();
}

frmStatsAskForMode::frmStatsAskForMode(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmStatsAskForMode"));
    setTag(this, QStringLiteral("1960"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::pixels(6075), Twips::pixels(2340));
    Forms::add(this);

    lblTitle = control<QLabel>(this, "lblTitle", "1961", pixels(120, 15, 5895, 480));
    QFont title = lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.25);
    lblTitle->setFont(title);
    lblDescription = control<QLabel>(this, "lblDescription", "1962", pixels(150, 585, 5775, 750));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chkDontShowInFuture = control<QCheckBox>(this, "chkDontShowInFuture", "1965", pixels(150, 1485, 5805, 285));
    btnAllLogbooks = control<QPushButton>(this, "btnAllLogbooks", "1963", pixels(90, 1890, 1830, 375));
    btnCurrentLogbook = control<QPushButton>(this, "btnCurrentLogbook", "1964", pixels(2100, 1890, 1830, 375));
    btnCancel = control<QPushButton>(this, "btnCancel", "1012", pixels(4665, 1890, 1245, 375));
    btnAllLogbooks->setDefault(true);

    connect(btnAllLogbooks, &QPushButton::clicked, this, &frmStatsAskForMode::btnAllLogbooks_Click);
    connect(btnCurrentLogbook, &QPushButton::clicked, this, &frmStatsAskForMode::btnCurrentLogbook_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmStatsAskForMode::btnCancel_Click);

    // The caller asks under the hourglass; the user answers under the normal pointer.
    Seams::busyPointer().setBusy(false);
    centerForm(this);
    localizeForm(this);
}

void frmStatsAskForMode::btnAllLogbooks_Click() {
    chosenMode = StatsScope::ALL_LOGBOOKS;
    confirmChoice();
}

void frmStatsAskForMode::btnCurrentLogbook_Click() {
    chosenMode = StatsScope::CURRENT_LOGBOOK;
    confirmChoice();
}

void frmStatsAskForMode::btnCancel_Click() {
    chosenMode = StatsScope::CANCELLED;
    Seams::busyPointer().setBusy(true);
    QDialog::reject();
}

void frmStatsAskForMode::reject() {
    btnCancel_Click();
}

void frmStatsAskForMode::confirmChoice() {
    if (chkDontShowInFuture->isChecked()) {
        Settings& settings = Settings::instance();
        settings.setCurrentStatisticsMode(StatsScope::settingWithoutQuestion(settings.currentStatisticsMode()));
        // The choice holds for this run even when the store refuses it.
        SettingsWrite::reported(QStringLiteral("frmStatsAskForMode.confirmChoice"),
                                [&settings] { settings.save(Settings::SAVE_STATISTICS); });
    }
    Seams::busyPointer().setBusy(true);
    accept();
}
