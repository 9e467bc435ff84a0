#include "PrinterManager.h"

#include "DataProfilePage.h"
#include "PrintColors.h"
#include "PrintDevice.h"
#include "Profile.h"
#include "ProfilePage.h"

#include <exception>

namespace {
StatisticsProvider& installedStatistics() {
    static StatisticsProvider provider;
    return provider;
}
} // namespace

void PrinterManager::installStatisticsProvider(StatisticsProvider provider) {
    installedStatistics() = std::move(provider);
}

void PrinterManager::printPage(PrintDevice& device, Profile& profile) {
    if (!profile.wasElaborated())
        profile.compute();
    if (m_mode == PROFILE_MODE)
        printProfileOnly(device, m_colors, profile, iDivePosition);
    else if (m_mode == PROFILE_DATA_MODE)
        printProfileData(device, m_colors, profile);
    else if (m_mode == STATISTICS_MODE)
        printStatisticsPage(device);
}

void PrinterManager::printStatisticsPage(PrintDevice& device) {
    const StatisticsProvider& provider = m_statistics ? m_statistics : installedStatistics();
    printStatistics(device, provider ? provider() : StatisticsFigures{});
}

void PrinterManager::doPrint(PrintDevice& device, std::shared_ptr<Profile> cProfile) {
    try {
        m_colors = PrintColors::forDevice(device);
        if (!cProfile) {
            if (m_mode == STATISTICS_MODE) {
                printStatisticsPage(device);
            } else {
                // A copy: a page may not change the job it is drawn for.
                const QList<std::shared_ptr<Profile>> profiles = cProfiles;
                for (const auto& profile : profiles) {
                    if (!profile->wasElaborated())
                        profile->compute();
                    if (m_mode == PROFILE_MODE || m_mode == PROFILE_DATA_MODE)
                        printPage(device, *profile);
                    if (device.isPrinter())
                        device.newPage();
                }
            }
        } else {
            printPage(device, *cProfile);
        }
        cProfile.reset();
        if (device.isPrinter()) {
            device.endDoc();
            emit printerWorkTerminate(true);
        }
    } catch (const std::exception&) {
        cProfile.reset();
        if (!device.isPrinter())
            return;
        try {
            device.endDoc();
        } catch (const std::exception&) {
            // Past the first failure the printer only has to let go of the document.
        }
        emit printerWorkTerminate(false);
    }
}
