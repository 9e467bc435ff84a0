#include "FaceFixture.h"

#include <QtTest>

// Every kind of dive after every other kind on the same face shows what a new face shows for it:
// nothing of the previous dive (picture, legend, caption, toggle, altitude class) carries over.
class tst_FaceKinds : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void nothingLeaks_data();
    void nothingLeaks();
};

namespace {

struct Kind {
    const char* name;
    int mode;
    bool stop;
};

// Each kind, described by a dive mode and the stop flag; the bottom-time code is 3 on the Kobi.
QList<Kind> kindsOf(int model) {
    QList<Kind> kinds{{"air", 0, false}, {"nitrox", 1, false}, {"stop flag", 0, true}};
    kinds.append({"bottom time", model == 32 ? 3 : 2, false});
    if (model == 32)
        kinds.append({"free dive", 2, false});
    return kinds;
}

std::shared_ptr<Dive> diveOfKind(int model, const Kind& kind, int altitude, int water) {
    auto dive = diveOf(model, kind.mode, kind.stop);
    dive->setAltitude(altitude);
    dive->setWater(water);
    dive->setVolumeMeasure(kind.mode == 1 ? 1 : 0);
    dive->setTankVolume(150);
    return dive;
}

// Steps through every screen: decompression, deep stop, safety stop, no stop, surface.
QList<StepValues> busyDive() {
    return {StepValues{.depth = 30,
                       .maxDepth = 30,
                       .decoFlag = 2,
                       .tappa = 2,
                       .decoTime = 4,
                       .ascentTime = 9,
                       .cns = 20,
                       .maxVelocity = 5,
                       .tankPressure = 150,
                       .consumption = 20},
            StepValues{.depth = 18,
                       .maxDepth = 30,
                       .decoFlag = 1,
                       .verticalDeep = 0,
                       .tappa = 1,
                       .decoTime = 1,
                       .ascentTime = 5,
                       .cns = 20,
                       .maxVelocity = 3},
            StepValues{.depth = 5, .maxDepth = 30, .safetyTime = 3, .cns = 20, .maxVelocity = 1},
            StepValues{.depth = 16, .maxDepth = 30, .verticalDeep = 0, .noDecTime = 20},
            StepValues{.depth = 0, .maxDepth = 30, .noDecTime = 99}};
}

QList<StepValues> quietDive() {
    return {StepValues{.depth = 0, .maxDepth = 0, .noDecTime = 99, .tankPressure = 200, .consumption = 15},
            StepValues{.depth = 12, .maxDepth = 12, .noDecTime = 45, .cns = 5, .maxVelocity = 2}};
}

// What a face shows: every element's visibility, text, tip and picture.
QStringList snapshot(const DiveComputerDisplay& face) {
    QStringList lines;
    for (const QWidget* element : face.findChildren<QWidget*>()) {
        QString line = element->objectName() + (element->isHidden() ? " hidden" : " shown");
        if (auto* label = qobject_cast<const QLabel*>(element))
            line += " '" + label->text() + "' align " + QString::number(int(label->alignment()));
        if (auto* image = qobject_cast<const FaceImage*>(element))
            line += " picture " + QString::number(image->picture());
        lines << line + " tip '" + element->toolTip() + "'";
    }
    lines.sort();
    return lines;
}

} // namespace

void tst_FaceKinds::nothingLeaks_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    for (int model : {1, 2, 4, 8, 32}) {
        const QList<Kind> kinds = kindsOf(model);
        for (int unit : {0, 1})
            for (int before = 0; before < kinds.size(); ++before)
                for (int after = 0; after < kinds.size(); ++after)
                    QTest::addRow("model %d %s: %s after %s", model, unit == 0 ? "metric" : "imperial",
                                  kinds[after].name, kinds[before].name)
                        << model << unit << before << after;
    }
}

void tst_FaceKinds::nothingLeaks() {
    QFETCH(int, model);
    QFETCH(int, unit);
    QFETCH(int, before);
    QFETCH(int, after);
    const QList<Kind> kinds = kindsOf(model);

    FaceFixture fresh(model, unit);
    fresh.show(diveOfKind(model, kinds[after], 0, 0), quietDive());
    const QStringList afterReset = snapshot(*fresh.face);
    fresh.face->updateDisplay(0);
    fresh.face->updateDisplay(1);
    const QStringList afterSteps = snapshot(*fresh.face);

    FaceFixture used(model, unit);
    used.show(diveOfKind(model, kinds[before], 2, 1), busyDive());
    for (qint16 step = 0; step < 5; ++step) {
        used.face->updateDisplay(step);
        // The Kobi's temperature button, where it works.
        if (auto* button = used.image("imgBottomRedButton"))
            emit button->clicked();
    }
    used.show(diveOfKind(model, kinds[after], 0, 0), quietDive());
    QCOMPARE(snapshot(*used.face), afterReset);
    used.face->updateDisplay(0);
    used.face->updateDisplay(1);
    QCOMPARE(snapshot(*used.face), afterSteps);
}

QTEST_MAIN(tst_FaceKinds)
#include "tst_facekinds.moc"
