// Decoding stored profile texts into a dive's samples: the work of every dive query.

#include "Dive.h"
#include "DiveGenerator.h"
#include "ProfileText.h"
#include "Settings.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Texts {
    QList<QString> scuba;
    QList<QString> air;
    QList<QString> freeDive;
};

// One-hour dives (180 samples) and free-dive sessions with their profile, as the generator makes them.
const Texts& texts() {
    static const Texts t = [] {
        Texts made;
        DiveGenerator generator(42);
        const QDateTime start(QDate(2021, 4, 3), QTime(9, 0));
        for (int i = 0; i < 64; ++i) {
            made.scuba.append(generator.scubaDive(4, start, 60).dive->getSamples());
            made.air.append(generator.scubaDive(8, start, 60).dive->getSamples());
            made.freeDive.append(generator.freeDiveSession(start, 12, true).dive->getSamples());
        }
        return made;
    }();
    return t;
}

void decode(benchmark::State& state, const QList<QString>& list, ProfileText::Layout layout) {
    qint64 bytes = 0;
    qint64 samples = 0;
    qsizetype next = 0;
    for (auto _ : state) {
        Dive dive;
        dive.setDiveMode(layout == ProfileText::Layout::FreeDive ? 2 : 0);
        dive.setSAMPLES(list[next]);
        const ProfileText::ReadResult result = ProfileText::read(dive, layout);
        benchmark::DoNotOptimize(result.samples);
        bytes += list[next].size(); // the stored text is ASCII: one byte per character
        samples += result.samples;
        next = (next + 1) % list.size();
    }
    state.SetBytesProcessed(bytes);
    state.counters["samples/s"] = benchmark::Counter(double(samples), benchmark::Counter::kIsRate);
}

void BM_DecodeScuba(benchmark::State& state) {
    decode(state, texts().scuba, ProfileText::Layout::Scuba);
}
void BM_DecodeAir(benchmark::State& state) {
    decode(state, texts().air, ProfileText::Layout::Air);
}
void BM_DecodeFreeDive(benchmark::State& state) {
    decode(state, texts().freeDive, ProfileText::Layout::FreeDive);
}

BENCHMARK(BM_DecodeScuba);
BENCHMARK(BM_DecodeAir);
BENCHMARK(BM_DecodeFreeDive);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    SettingsStore::setLocation(home.path());
    qputenv("SONA_HOME", home.path().toUtf8());
    texts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    return 0;
}
