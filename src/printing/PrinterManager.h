#pragma once

#include "PrintColors.h"
#include "StatisticsPage.h"

#include <QList>
#include <QObject>
#include <memory>

class PrintDevice;
class Profile;

// One print job: the dives to print, the kind of page to compose for them and the step at which the
// profile page marks the diver. doPrint draws the whole job on the printer (a page each, then the
// end of the document and printerWorkTerminate) or on the preview's page picture.
//
//   PrinterManager job;
//   job.setMode(job.PROFILE_DATA_MODE);
//   job.addProfile(profile);
//   job.doPrint(device);
class PrinterManager : public QObject {
    Q_OBJECT
public:
    const qint16 PROFILE_MODE = 0;
    const qint16 PROFILE_DATA_MODE = 1;
    const qint16 STATISTICS_MODE = 2;

    // The step of the diver marker, tissue bars and decompression box on the profile page; -1: none.
    qint16 iDivePosition = -1;
    // One page each, in the order added.
    QList<std::shared_ptr<Profile>> cProfiles;

    void addProfile(std::shared_ptr<Profile> cProfile) { cProfiles.append(std::move(cProfile)); }
    qint16 mode() const { return m_mode; }
    void setMode(qint16 mode) { m_mode = mode; }

    // Where the statistics page takes its figures; by default the installed provider.
    void setStatisticsProvider(StatisticsProvider provider) { m_statistics = std::move(provider); }
    static void installStatisticsProvider(StatisticsProvider provider);

    // Draws the whole job, or only the page of `cProfile` when one is given. Nothing leaves it: an
    // error ends the job, on the printer with the pages drawn so far printed and the event saying so.
    void doPrint(PrintDevice& device, std::shared_ptr<Profile> cProfile = nullptr);

signals:
    // On the printer only, once per doPrint, as its last action: false when an error ended the job.
    void printerWorkTerminate(bool done);

private:
    void printPage(PrintDevice& device, Profile& profile);
    void printStatisticsPage(PrintDevice& device);

    qint16 m_mode = 0;
    // Loaded at the start of every run: the printer's or the screen's.
    PrintColors m_colors;
    StatisticsProvider m_statistics;
};
