// Printing a logbook of data-and-profile pages into a PDF file, as a user waits for the printer:
// the profiles are computed beforehand, so the figure is the cost of composing and writing a page.
#include "BenchTime.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "Internationalization.h"
#include "PrinterDevice.h"
#include "PrinterManager.h"
#include "Profile.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "diveInfo.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

class ReportingMessages : public MessageService {
public:
    int show(const QString& text, int, const QString&) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return Msg::Ok;
    }
};

constexpr int PAGES = 100;

struct Logbook {
    Logbook() {
        SettingsStore::setLocation(home.path());
        SettingsStore::setValue(QStringLiteral("DiveComputer"), QStringLiteral("8"));
        SettingsStore::setValue(QStringLiteral("Language"), QStringLiteral("0"));
        Seams::install(std::make_unique<ReportingMessages>());
        DiveGenerator generator;
        for (int i = 0; i < PAGES; ++i) {
            auto dive = generator.scubaDive(8, QDateTime(QDate(2024, 1, 1), QTime(9, 0)).addDays(i), 30 + i % 30).dive;
            auto info = std::make_shared<diveInfo>();
            info->setDiver(QStringLiteral("Ann Diver"));
            info->setLocation(QStringLiteral("Blue Hole"));
            dive->setDiveInfo(info);
            auto profile = std::make_shared<Profile>();
            profile->setCurrentDive(dive);
            profile->compute();
            profiles.append(profile);
        }
    }
    QTemporaryDir home;
    QList<std::shared_ptr<Profile>> profiles;
};

void BM_DataAndProfilePagesToPdf(benchmark::State& state) {
    static Logbook logbook;
    const QString file = logbook.home.filePath(QStringLiteral("logbook.pdf"));
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        PrinterManager job;
        job.setMode(job.PROFILE_DATA_MODE);
        for (const auto& p : logbook.profiles)
            job.addProfile(p);
        auto writer = std::make_unique<QPdfWriter>(file);
        writer->setResolution(600);
        writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(18, 18, 18, 18)));
        PrinterDevice printer(std::move(writer));
        job.doPrint(printer);
    }
    // Wall-clock time stretches on a busy machine, processor time much less: both are printed, the
    // processor time a page as `page` (from the time the library measures).
    state.counters["ms_per_page"] = double(clock.elapsed()) / double(state.iterations() * PAGES);
    state.counters["page"] =
        benchmark::Counter(double(PAGES), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// One repetition takes about a second: several are needed for a figure that is not one sample.
BENCHMARK(BM_DataAndProfilePagesToPdf)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(5.0));

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
