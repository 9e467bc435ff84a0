#include "ShownProfilePrinting.h"

#include "Dive.h"
#include "DiveModule.h"
#include "PrinterManager.h"
#include "Profile.h"
#include "frmPrint.h"

namespace ShownProfilePrinting {

std::optional<Output> outputOf(const QString& key) {
    if (key == QLatin1String("PRINT"))
        return Output::Printer;
    if (key == QLatin1String("PREVIEW"))
        return Output::Preview;
    return std::nullopt;
}

void print(const std::shared_ptr<Profile>& profile, qint16 markerStep, qint32 reloadID, Output output,
           QWidget* parent) {
    const std::shared_ptr<Dive> dive = profile->getCurrentDive();
    if (reloadID != -1 && !dive->diveInfo()) {
        const std::shared_ptr<Dive> described = DiveModule::loadDive(reloadID, true);
        if (!described)
            return;
        dive->setDiveInfo(described->diveInfo());
    }
    auto job = std::make_shared<PrinterManager>();
    job->addProfile(profile);
    job->setMode(job->PROFILE_MODE);
    job->iDivePosition = markerStep;
    frmPrint dialog(parent);
    if (output == Output::Printer)
        dialog.doPrinter(job);
    else
        dialog.doPreview(job);
}

} // namespace ShownProfilePrinting
