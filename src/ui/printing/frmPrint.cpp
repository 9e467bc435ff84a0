#include "frmPrint.h"

#include "DiveModule.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "PrintPictures.h"
#include "PrinterManager.h"
#include "Profile.h"
#include "Seams.h"
#include "Settings.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "frmPreview.h"
#include "frmPrintMonitor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// A frame whose options stand one below the other.
QGroupBox* group(const char* name, const char* tag, QWidget* parent) {
    auto* g = new QGroupBox(parent);
    g->setObjectName(QLatin1String(name));
    setTag(g, QLatin1String(tag));
    new QVBoxLayout(g);
    return g;
}

QRadioButton* option(const char* name, const char* tag, QGroupBox* group) {
    auto* o = new QRadioButton(group);
    o->setObjectName(QLatin1String(name));
    setTag(o, QLatin1String(tag));
    group->layout()->addWidget(o);
    return o;
}

QPushButton* button(const char* name, const char* tag, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    setTag(b, QLatin1String(tag));
    return b;
}

void showCritical(qint32 text, qint32 title) {
    Seams::message().show(getString(text), Msg::OkOnly | Msg::Critical, getString(title));
}
} // namespace

frmPrint::frmPrint(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrint"));
    setTag(this, QStringLiteral("2007"));
    Forms::add(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildControls();

    localizeForm(this);
    PrinterService& printers = Seams::printers();
    Combo1->addItems(printers.printerNames());
    Combo1->setCurrentIndex(Combo1->findText(printers.currentPrinterName()));
    lblPrinter->setText(getString(2000) + QStringLiteral(": "));
    if (Settings::instance().isFilterOn())
        optFilteredDives->setEnabled(true);
    // Its size comes from its captions and printer names: centred once it has it.
    adjustSize();
    centerForm(this);
}

void frmPrint::buildControls() {
    lbl_Title = new QLabel(this);
    lbl_Title->setObjectName(QStringLiteral("lbl_Title"));
    setTag(lbl_Title, QStringLiteral("2007"));
    lbl_Title->setIndent(8);
    lbl_Title->setMinimumHeight(Twips::pixels(450));
    Twips::makeTitleBand(lbl_Title);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    lbl_Title->setFont(titleFont);
    imgPrinter = new QLabel(this);
    imgPrinter->setObjectName(QStringLiteral("imgPrinter"));
    imgPrinter->setFixedSize(48, 48);
    imgPrinter->setPixmap(PrintPictures::printer(imgPrinter->size()));

    Frame2 = group("Frame2", "2008", this);
    optCurrentDive = option("optCurrentDive", "2009", Frame2);
    optAllDives = option("optAllDives", "2010", Frame2);
    optFilteredDives = option("optFilteredDives", "2011", Frame2);
    frame = group("frame", "2001", this);
    optProfileData = option("optProfileData", "2002", frame);
    optProfile = option("optProfile", "2003", frame);
    optStatistics = option("optStatistics", "2004", frame);

    lblPrinter = new QLabel(this);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    setTag(lblPrinter, QStringLiteral("2000"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Command3 = button("Command3", "2013", this);
    cmdPrint = button("cmdPrint", "2005", this);
    cmdPreview = button("cmdPreview", "2006", this);
    cmdClose = button("cmdClose", "1010", this);

    optCurrentDive->setChecked(true);
    optFilteredDives->setEnabled(false);
    optProfile->setChecked(true);
    optStatistics->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addWidget(imgPrinter);
    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame2, 1);
    frames->addWidget(frame, 1);
    top->addLayout(frames, 1);
    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(lblPrinter);
    printerRow->addWidget(Combo1, 1);
    printerRow->addWidget(Command3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {cmdPrint, cmdPreview, cmdClose})
        buttons->addWidget(b);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addLayout(top);
    body->addLayout(printerRow);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lbl_Title);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(optCurrentDive, &QRadioButton::clicked, this, &frmPrint::optCurrentDive_Click);
    connect(optAllDives, &QRadioButton::clicked, this, &frmPrint::optAllDives_Click);
    connect(optFilteredDives, &QRadioButton::clicked, this, &frmPrint::optFilteredDives_Click);
    connect(optProfileData, &QRadioButton::clicked, this, &frmPrint::optProfileData_Click);
    connect(optProfile, &QRadioButton::clicked, this, &frmPrint::optProfile_Click);
    connect(optStatistics, &QRadioButton::clicked, this, &frmPrint::optStatistics_Click);
    connect(Combo1, &QComboBox::activated, this, &frmPrint::Combo1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPrint::Command3_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmPrint::cmdPreview_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPrint::cmdClose_Click);
}

void frmPrint::select(QRadioButton* option) {
    option->setChecked(true);
}

void frmPrint::optCurrentDive_Click() {
    select(optCurrentDive);
    cmdPreview->setEnabled(true);
    if (optStatistics->isChecked())
        select(optProfile);
    optStatistics->setEnabled(false);
}

void frmPrint::optAllDives_Click() {
    select(optAllDives);
    cmdPreview->setEnabled(optStatistics->isChecked());
    optStatistics->setEnabled(true);
}

void frmPrint::optFilteredDives_Click() {
    select(optFilteredDives);
    cmdPreview->setEnabled(optStatistics->isChecked());
    optStatistics->setEnabled(false);
}

void frmPrint::optProfileData_Click() {
    select(optProfileData);
    cmdPreview->setEnabled(optCurrentDive->isChecked());
}

void frmPrint::optProfile_Click() {
    select(optProfile);
    cmdPreview->setEnabled(optCurrentDive->isChecked());
}

void frmPrint::optStatistics_Click() {
    select(optStatistics);
    cmdPreview->setEnabled(true);
}

void frmPrint::Combo1_Click() {
    const QString name = Combo1->currentText();
    if (!name.isEmpty())
        Seams::printers().setCurrentPrinter(name);
}

void frmPrint::Command3_Click() {
    Seams::printers().showSetup();
}

void frmPrint::cmdPrint_Click() {
    make(TARGET_PRINTER, nullptr);
}

void frmPrint::cmdPreview_Click() {
    make(TARGET_PREVIEW, nullptr);
}

void frmPrint::cmdClose_Click() {
    done(QDialog::Accepted);
}

void frmPrint::doPreview(std::shared_ptr<PrinterManager> currentPM) {
    optProfile_Click();
    optCurrentDive_Click();
    make(TARGET_PREVIEW, std::move(currentPM));
    Seams::busyPointer().setBusy(false);
}

void frmPrint::doPrinter(std::shared_ptr<PrinterManager> currentPM) {
    optProfile_Click();
    optCurrentDive_Click();
    make(TARGET_PRINTER, std::move(currentPM));
}

void frmPrint::make(qint16 target, std::shared_ptr<PrinterManager> currentPM) {
    BusyGuard busy;
    if (Seams::printers().printerNames().isEmpty()) {
        showCritical(3037, 1005);
        return;
    }
    const bool divePages = optProfileData->isChecked() || optProfile->isChecked();
    if (divePages && !setPrinterLandscape()) {
        showCritical(3024, 1005);
        return;
    }
    if (optStatistics->isChecked() && !setPrinterPortrait()) {
        showCritical(3025, 1005);
        return;
    }

    std::shared_ptr<PrinterManager> job = currentPM;
    if (!job) {
        if (divePages)
            job = loadDefaultPrinterManager();
        else if (optStatistics->isChecked())
            job = std::make_shared<PrinterManager>();
        if (!job)
            return;
        if (optProfile->isChecked())
            job->setMode(job->PROFILE_MODE);
        else if (optProfileData->isChecked())
            job->setMode(job->PROFILE_DATA_MODE);
        else
            job->setMode(job->STATISTICS_MODE);
    }

    if (target == TARGET_PREVIEW) {
        frmPreview preview(this);
        preview.setPrinterManager(job);
        preview.makeZoom();
        Seams::busyPointer().setBusy(false);
        preview.exec();
    } else {
        frmPrintMonitor monitor(this);
        monitor.pm = job;
        monitor.exec();
    }
}

std::shared_ptr<PrinterManager> frmPrint::loadDefaultPrinterManager() {
    const Settings& settings = Settings::instance();
    const auto jobOf = [](const DiveList& dives) {
        auto job = std::make_shared<PrinterManager>();
        for (const auto& dive : dives) {
            auto profile = std::make_shared<Profile>();
            profile->setCurrentDive(dive);
            job->addProfile(profile);
        }
        return job;
    };
    if (optCurrentDive->isChecked()) {
        if (settings.currentDiveID() == -1) {
            showCritical(3001, 1004);
            return nullptr;
        }
        // A dive deleted meanwhile: the query has said so, and there is nothing to print.
        const auto dive = DiveModule::loadDive(settings.currentDiveID(), true);
        return dive ? jobOf({dive}) : nullptr;
    }
    if (!optAllDives->isChecked() && !optFilteredDives->isChecked())
        return nullptr;
    if (settings.currentLogbookID() == -1) {
        showCritical(3038, 1004);
        return nullptr;
    }
    if (optAllDives->isChecked())
        return jobOf(DiveModule::loadLogbookDives(settings.currentLogbookID(), true, QString()));
    if (!settings.isFilterOn()) {
        Seams::message().show(
            QStringLiteral("[frmPrint.loadDefaultPrinterManager] Operation not supported in no filter on mode"),
            Msg::OkOnly | Msg::Critical, getString(1004));
        return nullptr;
    }
    return jobOf(DiveModule::loadLogbookDives(settings.currentLogbookID(), true, settings.currentFilter()));
}
