#include "SegmentDisplay.h"

#include "Dive.h"
#include "FaceText.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "ProfileReader.h"

#include <algorithm>

void SegmentDisplay::resetDisplay() {
    if (!m_profile)
        return;
    const std::shared_ptr<Dive> dive = m_profile->getCurrentDive();
    const Kind kind = kindOf(*dive);
    const bool stop = kind == Kind::StopFlag;
    const bool nitrox = kind == Kind::Nitrox;
    const bool bottom = kind == Kind::BottomTime;

    setShown({label("lblDigitDepth"), label("lblDigitDiveTime"), label("lblDigitMaxDepth"), label("lblDigitTemp"),
              label("lblMaxDepth")},
             true);
    // Every element that depends on the kind of dive is set for every kind, so that nothing of the
    // previous dive stays on the face.
    setShown({label("lblDigitAscTime", 0), label("lblDigitAscTime", 1)}, !stop);
    setShown({label("lblDigitDeco")}, stop);
    setShown({label("lblDigitCNSLimit")}, stop || nitrox);
    setShown({label("lblNitrox", 0), label("lblNitrox", 1), label("lblCNSO2", 0), label("lblO2", 1),
              label("lblDigitNitroxMixture")},
             nitrox);
    setShown({label("lblO2", 0), label("lblDouble")}, false);
    // The decompression legends come with the first step of a scuba dive.
    setShown({label("lblASCTIME"), label("lblNODEC", 0), label("lblNODEC", 1), label("lblDECO", 0), label("lblDECO", 1),
              label("lblMin"), element("imageTriangleUp"), element("imageTriangleDown"), element("lblSelMeter", 0),
              element("lblSelFeet", 0)},
             false);
    setShown({element("imageAltitude")}, !stop && !bottom);

    setDiveMarks(*dive, {1, 2});
    showPicture(image("imageSlow"), 0);

    for (const char* name : {"lblDigitCNSLimit", "lblDigitDeco", "lblDigitDiveTime", "lblDigitDepth",
                             "lblDigitMaxDepth", "lblDigitTemp", "lblDigitNitroxMixture"})
        showDigits(label(name), QString());
    for (int item : {0, 1}) {
        showDigits(label("lblDigitAscTime", item), QString());
        setTip(label("lblDigitAscTime", item), 2110);
    }
    setTip(label("lblDigitDeco"), 0);

    if (bottom) {
        showDigits(label("lblDigitAscTime", 0), QStringLiteral("bt"));
        showDigits(label("lblDigitAscTime", 1), QStringLiteral("bt"));
    } else if (stop) {
        showStopFlag();
    }
    resetMore(*dive, kind);
}

void SegmentDisplay::updateDisplay(qint16 step) {
    if (!m_profile)
        return;
    const std::shared_ptr<Dive> dive = m_profile->getCurrentDive();
    const Kind kind = kindOf(*dive);
    const bool scuba = kind != Kind::StopFlag && kind != Kind::BottomTime;
    const Internationalization& units = Internationalization::instance();

    if (scuba) {
        if (m_profile->getDecoFlag(step) == 0)
            showNoDecompression(step);
        else
            showDecompression(step);
    }
    showDigits(label("lblDigitDiveTime"), QString::number(step / 3));
    if (scuba)
        showDigits(label("lblDigitCNSLimit"), QString::number(m_profile->getCNS(step)));
    showDigits(label("lblDigitDepth"), depthText(m_profile->getDepth(step)));
    showDigits(label("lblDigitMaxDepth"), facetext::maxDepthText(units.getDepthValue(m_profile->getMaxDepth(step))));
    if (kind == Kind::Nitrox)
        showDigits(label("lblDigitNitroxMixture"), QString::number(dive->getNitroxMixture()));
    showPicture(image("imageSlow"), ascentPicture(m_profile->getMaxVelocity(step), firstAscentPicture()));
    showDigits(label("lblDigitTemp"), num::singleToText(units.getTemperatureValue(float(dive->getMinTemperature()))));
    updateMore(step, *dive);
}

void SegmentDisplay::showNoDecompression(qint16 step) {
    setShown({stopDepthMark(), label("lblASCTIME"), label("lblDECO", 0), label("lblDECO", 1), label("lblDigitDeco"),
              element("imageTriangleUp"), element("imageTriangleDown")},
             false);
    setShown({label("lblNODEC", 0), label("lblNODEC", 1), label("lblMin")}, true);
    if (swapsStopFields())
        setShown({label("lblDigitAscTime", 1)}, false);

    const qint16 safety = m_profile->getSafetyTime(step);
    if (safety > 0) {
        showStopScreen(QString::number(safety), 2111);
    } else if (hasDeepStopScreen() && m_profile->getVerticalDeep(step) == 0) {
        showStopScreen(QStringLiteral("1"), 2113);
    } else {
        const QString minutes = facetext::twoDigits(m_profile->getNoDecTime(step));
        QLabel* upper = label("lblDigitAscTime", 0);
        showDigits(upper, minutes);
        setTip(upper, 2103);
        if (!swapsStopFields()) {
            QLabel* lower = label("lblDigitAscTime", 1);
            showDigits(lower, minutes);
            setTip(lower, 2103);
        }
    }
}

void SegmentDisplay::showDecompression(qint16 step) {
    const Internationalization& units = Internationalization::instance();
    setShown({stopDepthMark()}, true);
    setArrows(m_profile->getDepth(step), m_profile->getTappa(step));
    setShown({label("lblDECO", 0), label("lblDECO", 1), label("lblMin")}, true);
    setShown({label("lblNODEC", 0), label("lblNODEC", 1)}, false);

    if (hasDeepStopScreen() && m_profile->getVerticalDeep(step) == 0) {
        showStopScreen(QStringLiteral("1"), 2113);
    } else {
        QLabel* deco = label("lblDigitDeco");
        deco->show();
        setTip(deco, 2104);
        const float stopDepth = units.getDepthValue(3.0f * float(m_profile->getTappa(step)));
        showDigits(deco, facetext::twoDigits(num::singleToText(stopDepth)));
        QLabel* upper = label("lblDigitAscTime", 0);
        setTip(upper, 2102);
        showDigits(upper, facetext::twoDigits(std::min<qint16>(m_profile->getDecoTime(step), 99)));
    }
    QLabel* lower = label("lblDigitAscTime", 1);
    setTip(lower, 2110);
    showDigits(lower, facetext::twoDigits(m_profile->getAscentTime(step)));
    setShown({label("lblASCTIME"), lower}, true);
}

// The safety-stop and deep-stop screens: the minutes (or the deep stop's "1") in one digit field
// and "st" in the other.
void SegmentDisplay::showStopScreen(const QString& figures, int tip) {
    setShown({label("lblNODEC", 0), label("lblNODEC", 1)}, false);
    QLabel* deco = label("lblDigitDeco");
    QLabel* upper = label("lblDigitAscTime", 0);
    deco->show();
    QLabel* number = swapsStopFields() ? upper : deco;
    QLabel* caption = swapsStopFields() ? deco : upper;
    showDigits(caption, QStringLiteral("st"));
    setTip(caption, 0);
    showDigits(number, figures);
    setTip(number, tip);
    if (swapsStopFields())
        setShown({element("lblSelMeter", 0), element("lblSelFeet", 0)}, false);
}
