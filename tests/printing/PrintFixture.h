#pragma once

// A clean world for printing tests: English texts, a chosen model code and unit system, and dives
// with computed profiles made in memory.

#include "../deco/DecoTestDives.h"
#include "Dive.h"
#include "Profile.h"
#include "RecordingDevice.h"
#include "TestEnvironment.h"
#include "diveInfo.h"

#include <QList>
#include <memory>

struct PrintFixture {
    explicit PrintFixture(qint32 model = 1, int measureUnit = 0) {
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.storeSetting(QStringLiteral("MeasureUnit"), QString::number(measureUnit));
        env.restart();
        // The printing cases read every box they get from the message list.
        env.fakes.message->failOnUnexpected = false;
    }

    // A dive of `minutes` minutes whose samples follow `metres`, with the model code `own`.
    static std::shared_ptr<Dive> dive(const QList<double>& metres, qint32 minutes, qint32 own = 1) {
        auto d = decotest::diveOf(metres);
        d->setDiveComputer(own);
        d->setDiveTime(minutes);
        d->setDateTime(QDateTime(QDate(2026, 3, 5), QTime(9, 30)));
        float deepest = 0;
        for (double m : metres)
            deepest = std::max(deepest, float(m));
        d->setMaxDepth(deepest);
        return d;
    }

    // A square dive to `metres`: three samples a minute.
    static std::shared_ptr<Dive> squareDive(double metres, qint32 minutes, qint32 own = 1) {
        return dive(decotest::legs({{metres, minutes - 3}, {0, 0}}, 6, 3).mid(0, minutes * 3), minutes, own);
    }

    static std::shared_ptr<Profile> profileOf(std::shared_ptr<Dive> d, bool compute = true) {
        auto p = std::make_shared<Profile>();
        p->setCurrentDive(std::move(d));
        if (compute)
            p->compute();
        return p;
    }

    static std::shared_ptr<diveInfo> info() {
        auto i = std::make_shared<diveInfo>();
        i->setDiver(QStringLiteral("Ann Diver"));
        i->setLocation(QStringLiteral("Blue Hole"));
        i->setWeather(0);
        i->setActivity(2);
        i->setWetsuit(1);
        return i;
    }

    TestEnvironment env;
};

// Landscape letter with quarter-inch margins, in twips.
constexpr double PAGE_W = 15120;
constexpr double PAGE_H = 11520;

using Kind = RecordingDevice::Kind;
