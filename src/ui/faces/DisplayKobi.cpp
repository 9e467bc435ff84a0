#include "DisplayKobi.h"

#include "Dive.h"
#include "FacePictures.h"
#include "FaceText.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "ProfileReader.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

using namespace facepictures;
using namespace facelayout;

namespace {
constexpr int topPressed = 12;
constexpr int bottomPressed = 13;

// The display glass of the drawn device and its frame, drawn on the glass's edge.
const QRect glass = Twips::pixels(600, 795, 2640, 2925);
constexpr int frameWidth = 3;
constexpr int glassRadius = 14;
} // namespace

QPainterPath DisplayKobi::displayArea() {
    constexpr int inset = (frameWidth + 1) / 2;
    QPainterPath area;
    area.addRoundedRect(QRectF(glass).adjusted(inset, inset, -inset, -inset), glassRadius - inset, glassRadius - inset);
    return area;
}

DisplayKobi::DisplayKobi(QWidget* parent) : DiveComputerDisplay(ModelCode::dcKOBI, parent) {
    setObjectName(QStringLiteral("DisplayKobi"));
    // Of its list the face shows only the pressed buttons, entries 12 and 13.
    setPictures(segmentPictures() + QList<QPixmap>{pressedButton(QSize(53, 11)), pressedButton(QSize(55, 14))});
    addLabels({
        {"lblDigitDepth", -1, 1395, 615, 1035, 1425, K, 72, false, "88.8", R, 2100, false, clear},
        {"lblDigitMaxDepth", -1, 1365, 615, 1065, 1410, K, 72, false, "88.8", R, 2112, false, clear},
        {"lblDigitDeco", -1, 1080, 1395, 750, 1380, K, 72, false, "88", R, 0, false, clear},
        {"lblDigitAscTime", 0, 1995, 1410, 780, 1320, K, 72, false, "88", R, 2110, false, clear},
        {"lblDigitDiveTime", -1, 1935, 2475, 855, 930, K, 48, false, ":88", R, 2101, false, clear},
        {"lblDigitTemp", -1, 1905, 2475, 885, 930, K, 48, false, "88", R, 1452, false, clear},
        {"lblDigitDeepStop", -1, 1080, 2490, 1770, 870, K, 48, false, "DEEPSTOP", L, 2113, false, clear},
        {"lblNODEC", 0, 2790, 2175, 315, 465, T, 8.25, true, "no dec", L, 0, false, clear},
        {"lblDECO", 0, 705, 1935, 330, 255, T, 8.25, true, "dec", L, 0, false, clear},
        {"lblMin", -1, 2805, 2550, 240, 180, T, 6.75, false, "min", L, 0, false, clear},
        {"lblASCTIME", -1, 1110, 3315, 690, 180, T, 8.25, false, "asc time", L, 0, false, clear},
        {"lblO2", -1, 1530, 2880, 345, 165, T, 6.75, false, "%O2", L, 0, false, clear},
        {"lblCNSO2", -1, 2400, 2880, 525, 210, T, 6.75, false, "% cns", L, 0, false, clear},
        {"lblSelMeter", 0, 1815, 2505, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 0, 1845, 2340, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblSelMeter", 1, 2445, 1320, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 1, 2475, 1140, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDigitAscTime", 1, 1125, 2475, 1410, 900, K, 48, false, "88", L, 2110, true, clear},
        {"lbl_DiveTime", -1, 2055, 3315, 750, 180, T, 8.25, false, "dive time", L, 0, true, clear},
    });
    // Shrink the large fields together, so that the figures of one row share one size.
    const QFont large = label("lblDigitDeco")->font();
    for (const char* name : {"lblDigitDepth", "lblDigitMaxDepth", "lblDigitDeco", "lblDigitAscTime0"})
        setDigitFont(label(name), large);
    // The lower row also shows a temperature with its unit, left of the dive time that shares the row,
    // and on nitrox dives the CNS with two blanks that leave room for its "% cns": all four
    // characters wide, in one size.
    QLabel* lower = label("lblDigitAscTime", 1);
    const QFont small =
        faceelements::fitted(lower->font(), QStringLiteral("88°C"), QSize(lowerLeftRoom(), lower->height()));
    for (const char* name : {"lblDigitAscTime1", "lblDigitTemp", "lblDigitDiveTime"})
        setDigitFont(label(name), small);
    label("lblNODEC0")->setWordWrap(true);
    auto* glyph = new FaceSymbol(this);
    glyph->setObjectName(QStringLiteral("lblVelMaxIcon"));
    glyph->setGeometry(Twips::pixels(2595, -345, 2670, 2250));
    // The glyph's box reaches over the housing; the chevrons stand on the glass, in its upper right
    // corner, right of the depth's unit and above the stop time.
    const QRectF area = displayArea().boundingRect();
    const QSize chevrons(30, 36);
    const QPoint corner(int(area.right()) - 3 - chevrons.width(), int(area.top()) + glassRadius);
    glyph->setPlace(QRect(corner - glyph->pos(), chevrons));
    glyph->setText(QStringLiteral("_"));
    addElement(glyph);
    addImages({
        {"imageTriangleUp", -1, 675, 2205, 375, 195, 0, 0, false, true},
        {"imageTriangleDown", -1, 675, 2430, 375, 195, 0, 0, false, true},
        {"imgTopRedButton", -1, 1515, 570, 795, 165, 0, 0, true, true},
        {"imgBottomRedButton", -1, 1530, 4110, 825, 210, 0, 0, true, true},
    });
    image("imageTriangleUp")->setPicture(0, triangle(QSize(25, 13), true));
    image("imageTriangleDown")->setPicture(0, triangle(QSize(25, 13), false));
    connect(image("imgTopRedButton"), &FaceImage::clicked, this, &DisplayKobi::imgTopRedButton_Click);
    connect(image("imgBottomRedButton"), &FaceImage::clicked, this, &DisplayKobi::imgBottomRedButton_Click);
}

void DisplayKobi::paintEvent(QPaintEvent*) {
    // A drawing of the device: a dark housing, the two red buttons and the display glass.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(214, 216, 220));
    QLinearGradient housing(0, 0, 0, height());
    housing.setColorAt(0, QColor(70, 74, 82));
    housing.setColorAt(1, QColor(34, 36, 42));
    p.setBrush(housing);
    p.setPen(QPen(QColor(20, 20, 24), 2));
    p.drawRoundedRect(QRectF(4, 4, 247, 309), 60, 50);
    p.setBrush(QColor(190, 30, 25));
    p.setPen(QPen(QColor(90, 10, 10), 1));
    p.drawRoundedRect(Twips::pixels(1515, 570, 795, 165), 5, 5);
    p.drawRoundedRect(Twips::pixels(1530, 4110, 825, 210), 6, 6);
    p.setBrush(palette().window());
    p.setPen(QPen(QColor(12, 12, 14), frameWidth));
    p.drawRoundedRect(glass, glassRadius, glassRadius);
}

void DisplayKobi::resetDisplay() {
    if (!m_profile)
        return;
    const std::shared_ptr<Dive> dive = m_profile->getCurrentDive();
    const Kind kind = kindOf(*dive);
    m_step = 0;
    // The temperature toggle depends on the kind of dive and starts released; the max-depth toggle
    // is the diver's choice and stays, with its button and its figure.
    m_temperatureToggle = false;
    image("imgBottomRedButton")->clearPicture();
    showPicture(image("imgTopRedButton"), m_maxDepthToggle ? topPressed : 0);
    setShown({label("lblDigitDepth")}, !m_maxDepthToggle);
    setShown({label("lblDigitMaxDepth")}, m_maxDepthToggle);
    setShown({label("lblDigitDiveTime"), label("lblDigitAscTime", 0), label("lblDigitAscTime", 1)}, true);

    const bool stop = kind == Kind::StopFlag;
    const bool nitrox = kind == Kind::Nitrox;
    const bool timer = kind == Kind::BottomTime || kind == Kind::FreeDive;
    const bool scuba = !stop && !timer;
    setShown({label("lblDigitDeco")}, stop || timer);
    setShown({label("lblMin"), label("lblNODEC", 0)}, scuba);
    setShown({label("lblDigitDiveTime")}, scuba);
    setShown({label("lbl_DiveTime")}, !timer && !nitrox);
    setShown({label("lblCNSO2")}, nitrox);
    setShown({label("lblDigitAscTime", 0), label("lblDigitAscTime", 1)}, !stop);
    setShown({label("lblO2"), label("lblDECO", 0), element("imageTriangleUp"), element("imageTriangleDown"),
              label("lblSelMeter", 0), label("lblSelFeet", 0), label("lblASCTIME"), label("lblDigitDeepStop"),
              label("lblDigitTemp")},
             false);
    label("lblDigitAscTime", 1)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label("lblVelMaxIcon")->setText(QString());
    // A nitrox dive's CNS ends in two blanks as wide as two digits, which leave room for "% cns"
    // in the field; the digit fonts here have narrow blanks, so the field keeps the room itself.
    QLabel* diveTime = label("lblDigitDiveTime");
    const int room = diveTime->geometry().right() - label("lblCNSO2")->x() + 2;
    diveTime->setIndent(nitrox ? room - QFontMetrics(diveTime->font()).horizontalAdvance(QStringLiteral("  ")) : 0);

    setShown({label("lblSelMeter", 1)}, isMetric());
    setShown({label("lblSelFeet", 1)}, !isMetric());

    for (const char* name : {"lblDigitDeco", "lblDigitDiveTime", "lblDigitDepth", "lblDigitMaxDepth", "lblDigitTemp"})
        showDigits(label(name), QString());
    for (int item : {0, 1}) {
        showDigits(label("lblDigitAscTime", item), QString());
        setTip(label("lblDigitAscTime", item), 2110);
    }
    setTip(label("lblDigitDeco"), 0);
    if (kind == Kind::BottomTime) {
        showDigits(label("lblDigitAscTime", 0), QStringLiteral("bt"));
        showDigits(label("lblDigitAscTime", 1), QStringLiteral("bt"));
    } else if (stop) {
        showDigits(label("lblDigitDeco"), QStringLiteral("st"));
    }
}

void DisplayKobi::updateDisplay(qint16 step) {
    if (!m_profile)
        return;
    const std::shared_ptr<Dive> dive = m_profile->getCurrentDive();
    const Kind kind = kindOf(*dive);
    const bool scuba = kind != Kind::StopFlag && kind != Kind::BottomTime && kind != Kind::FreeDive;
    const qint16 decoFlag = m_profile->getDecoFlag(step);
    QLabel* deco = label("lblDigitDeco");
    QLabel* upper = label("lblDigitAscTime", 0);
    QLabel* lower = label("lblDigitAscTime", 1);

    if (scuba && decoFlag == 0) {
        setShown({stopDepthMark(), label("lblASCTIME"), label("lblDECO", 0), deco, element("imageTriangleUp"),
                  element("imageTriangleDown")},
                 false);
        setShown({label("lblNODEC", 0), label("lblMin")}, true);
        const qint16 safety = m_profile->getSafetyTime(step);
        if (safety > 0) {
            setShown({label("lblNODEC", 0), deco}, false);
            showDigits(upper, QString::number(safety));
            setTip(upper, 2111);
            showDigits(label("lblDigitDeepStop"), QStringLiteral("SAFESTOP"));
            setTip(label("lblDigitDeepStop"), 2111);
            showDeepStop(true, kind);
        } else if (m_profile->getVerticalDeep(step) == 0) {
            showDeepStopScreen(step, kind);
        } else {
            showDeepStop(false, kind);
            setTip(upper, 2103);
            showDigits(upper, facetext::twoDigits(m_profile->getNoDecTime(step)));
            if (kind == Kind::Nitrox)
                setShown({label("lblO2"), label("lblCNSO2")}, true);
        }
    } else if (scuba) {
        setShown({stopDepthMark()}, true);
        setArrows(m_profile->getDepth(step), m_profile->getTappa(step));
        setShown({label("lblDECO", 0), label("lblMin")}, true);
        setShown({label("lblNODEC", 0)}, false);
        if (m_profile->getVerticalDeep(step) == 0) {
            showDeepStopScreen(step, kind);
        } else {
            showDeepStop(false, kind);
            deco->show();
            setTip(deco, 2104);
            const float stopDepth =
                Internationalization::instance().getDepthValue(3.0f * float(m_profile->getTappa(step)));
            showDigits(deco, facetext::twoDigits(num::singleToText(stopDepth)));
            setTip(upper, 2102);
            showDigits(upper, facetext::twoDigits(std::min<qint16>(m_profile->getDecoTime(step), 99)));
            label("lblASCTIME")->show();
        }
        setTip(lower, 2110);
        showDigits(lower, facetext::twoDigits(m_profile->getAscentTime(step)), lowerLeftRoom());
    }

    if (label("lblASCTIME")->isHidden()) {
        if (kind == Kind::FreeDive && m_profile->getDepth(step) == 0.0f) {
            lower->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            showDigits(lower, QStringLiteral("n°") + QString::number(dive->getSampleVRis(step)));
        } else {
            lower->setAlignment((kind == Kind::FreeDive ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            setTip(lower, 1452);
            showDigits(lower, temperatureText(*dive), lowerLeftRoom());
        }
    }

    if (kind == Kind::FreeDive) {
        deco->show();
        showDigits(label("lblDigitDiveTime"), QString());
        m_freeDiveTime = dive->getSampleDecoStop(step);
        showDigits(deco, facetext::padded(m_freeDiveTime / 60));
        showDigits(upper, facetext::padded(m_freeDiveTime % 60));
    } else if (kind == Kind::BottomTime) {
        static const char* const seconds[] = {"00", "20", "40"};
        showDigits(deco, facetext::padded(step / 3));
        showDigits(upper, QLatin1String(seconds[step % 3]));
    } else {
        showDigits(label("lblDigitDiveTime"), QString::number(step / 3));
    }

    m_depthText = depthText(m_profile->getDepth(step));
    showDigits(label("lblDigitDepth"), facetext::depthField(m_depthText));
    const float maxDepth =
        kind == Kind::FreeDive ? float(dive->getSampleDeco(step)) / 10.0f : m_profile->getMaxDepth(step);
    showDigits(label("lblDigitMaxDepth"), facetext::depthField(depthText(maxDepth)));
    label("lblVelMaxIcon")->setText(getVelocityGlyph(step, kind));

    if (decoFlag == 0) {
        setTip(label("lblDigitTemp"), 1452);
        showDigits(label("lblDigitTemp"), temperatureText(*dive), lowerRightRoom());
    }
    if (kind == Kind::Nitrox) {
        const QString cns = QString::number(m_profile->getCNS(step)) + QStringLiteral("  ");
        if (decoFlag == 0) {
            // The percentage stands left of its "%O2".
            showDigits(lower, facetext::padded(dive->getNitroxMixture()), label("lblO2")->x() - lower->x() - 1);
        } else {
            label("lblO2")->hide();
            label("lblCNSO2")->show();
        }
        showDigits(label("lblDigitDiveTime"), cns);
        label("lbl_DiveTime")->hide();
    }
    m_step = step;
}

void DisplayKobi::updateDepth(float depth) {
    m_liveDepthText = depthText(depth);
    showDigits(label("lblDigitDepth"), m_liveDepthText);
}

// The lower row's left part, up to the dive time's field.
int DisplayKobi::lowerLeftRoom() const {
    return label("lblDigitDiveTime")->x() - label("lblDigitAscTime", 1)->x();
}

// The lower row's right part, the dive time's field, where the temperature stands in its stead.
int DisplayKobi::lowerRightRoom() const {
    const QLabel* diveTime = label("lblDigitDiveTime");
    return diveTime->geometry().right() + 1 - qMax(diveTime->x(), label("lblDigitTemp")->x());
}

void DisplayKobi::showDeepStopScreen(qint16 step, Kind kind) {
    QLabel* caption = label("lblDigitDeepStop");
    showDigits(caption, QStringLiteral("DEEPSTOP"));
    setTip(caption, 2113);
    label("lblNODEC", 0)->hide();
    QLabel* deco = label("lblDigitDeco");
    deco->show();
    showDigits(deco, deepStopText(step));
    label("lblASCTIME")->hide();
    QLabel* upper = label("lblDigitAscTime", 0);
    setTip(upper, 2113);
    showDigits(upper, QStringLiteral("1"));
    showDeepStop(true, kind);
}

// The recorded deep stop the diver is at: the second when within a metre of it, else the first;
// nothing when the dive recorded none.
QString DisplayKobi::deepStopText(qint16 step) const {
    const qint16 first = m_profile->getDeepStop1();
    const qint16 second = m_profile->getDeepStop2();
    const bool atSecond = second >= 0 && std::fabs(m_profile->getDepth(step) - float(second)) <= 1.0f;
    const qint16 stop = atSecond ? second : first;
    if (stop < 0)
        return QString();
    return facetext::padded(qint32(Internationalization::instance().getDepthValue(float(stop))));
}

void DisplayKobi::showDeepStop(bool show, Kind kind) {
    setShown({label("lblDigitDeepStop")}, show);
    QLabel* lower = label("lblDigitAscTime", 1);
    if (show) {
        setShown({lower, label("lblDigitTemp"), label("lblDigitDiveTime"), label("lbl_DiveTime"), label("lblO2"),
                  label("lblCNSO2")},
                 false);
    } else if (m_temperatureToggle && kind != Kind::Nitrox) {
        setShown({lower, label("lblDigitTemp")}, true);
        setShown({label("lblDigitDiveTime"), label("lbl_DiveTime")}, false);
    } else {
        setShown({lower, label("lblDigitDiveTime"), label("lbl_DiveTime")}, true);
        label("lblDigitTemp")->hide();
        if (kind == Kind::Nitrox)
            setShown({label("lblO2"), label("lblCNSO2")}, true);
    }
}

QString DisplayKobi::getVelocityGlyph(qint16 step, Kind kind) {
    if (kind == Kind::FreeDive)
        return QString();
    m_ascentLevel = quint8(m_profile->getMaxVelocity(step));
    switch (m_ascentLevel) {
    case 5:
    case 4:
        return QStringLiteral("_");
    case 3:
        return QStringLiteral("-");
    case 2:
        return QStringLiteral(";");
    default:
        return QString();
    }
}

QString DisplayKobi::temperatureText(const Dive& dive) const {
    const Internationalization& units = Internationalization::instance();
    return num::singleToText(units.getTemperatureValue(float(dive.getMinTemperature()))) + units.getTemperatureString();
}

void DisplayKobi::imgTopRedButton_Click() {
    m_maxDepthToggle = !m_maxDepthToggle;
    showPicture(image("imgTopRedButton"), m_maxDepthToggle ? topPressed : 0);
    setShown({label("lblDigitMaxDepth")}, m_maxDepthToggle);
    setShown({label("lblDigitDepth")}, !m_maxDepthToggle);
}

void DisplayKobi::imgBottomRedButton_Click() {
    if (!m_profile)
        return;
    const Kind kind = kindOf(*m_profile->getCurrentDive());
    if (kind == Kind::BottomTime || kind == Kind::FreeDive || kind == Kind::Nitrox)
        return;
    if (m_step != 0 && m_profile->getVerticalDeep(m_step) == 0)
        return;
    m_temperatureToggle = !m_temperatureToggle;
    showPicture(image("imgBottomRedButton"), m_temperatureToggle ? bottomPressed : 0);
    setShown({label("lblDigitTemp")}, m_temperatureToggle);
    setShown({label("lblDigitDiveTime"), label("lbl_DiveTime")}, !m_temperatureToggle);
}
