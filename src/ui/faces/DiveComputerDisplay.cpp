#include "DiveComputerDisplay.h"

#include "Dive.h"
#include "FaceText.h"
#include "GraphColors.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Profile.h"
#include "ProfileReader.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QPainter>

using namespace faceelements;

DiveComputerDisplay::DiveComputerDisplay(ModelCode model, QWidget* parent) : UserControl(parent), m_model(model) {
    setFixedSize(WIDTH_TWIPS / TWIPS_PER_PIXEL, HEIGHT_TWIPS / TWIPS_PER_PIXEL);
    // The grey-green of a liquid-crystal glass, behind the opaque fields too.
    QPalette glass = palette();
    glass.setColor(QPalette::Window, QColor(196, 204, 190));
    glass.setColor(QPalette::WindowText, QColor(20, 24, 20));
    setPalette(glass);
    setBackColor(0x00BECCC4); // the same glass, red in the low byte
}

void DiveComputerDisplay::addProfile(std::shared_ptr<ProfileReader> cProfile) {
    m_profile = std::move(cProfile);
    resetDisplay();
}

void DiveComputerDisplay::addProfile(std::shared_ptr<Profile> profile) {
    addProfile(std::shared_ptr<ProfileReader>(std::move(profile)));
}

void DiveComputerDisplay::setIcon(qint16 ascentIcon, qint16 decoStopIcon) {
    QWidget* ascent = element("imageAscent");
    QWidget* decoStop = element("imageDecoStop");
    if (ascent) {
        ascent->setHidden(ascentIcon == 0);
        setTip(ascent, 1201);
    }
    if (decoStop) {
        decoStop->setHidden(decoStopIcon == 0);
        setTip(decoStop, 1200);
    }
}

void DiveComputerDisplay::updateDepth(float depth) {
    if (QLabel* digits = label("lblDigitDepth"))
        showDigits(digits, depthText(depth));
}

DiveComputerDisplay::Kind DiveComputerDisplay::kindOf(const Dive& dive) {
    if (dive.hasStop())
        return Kind::StopFlag;
    if (dive.isNitrox())
        return Kind::Nitrox;
    if (dive.isAir())
        return Kind::Air;
    if (dive.isBottomTime())
        return Kind::BottomTime;
    if (dive.isFreeDive())
        return Kind::FreeDive;
    return Kind::Other;
}

void DiveComputerDisplay::addLabels(std::initializer_list<LabelLayout> specs) {
    for (const LabelLayout& spec : specs) {
        auto* target = new QLabel(QString::fromUtf8(spec.text), this);
        target->setObjectName(elementName(spec.name, spec.index));
        target->setGeometry(Twips::pixels(spec.left, spec.top, spec.width, spec.height));
        const QFont base = faceelements::font(spec.font, spec.points, spec.bold);
        if (spec.font == FaceFont::Caption)
            target->setFont(base);
        else
            setDigitFont(target, fitted(base, target->text(), target->size()));
        target->setAlignment(spec.align | Qt::AlignVCenter);
        if (spec.style == LabelStyle::WhiteOnBlack) {
            target->setAutoFillBackground(true);
            QPalette palette = target->palette();
            palette.setColor(QPalette::Window, Qt::black);
            palette.setColor(QPalette::WindowText, Qt::white);
            target->setPalette(palette);
        } else if (spec.style == LabelStyle::Opaque) {
            target->setAutoFillBackground(true);
        }
        setTip(target, spec.tip);
        target->setHidden(!spec.shown);
        m_elements.insert(target->objectName(), target);
    }
}

void DiveComputerDisplay::addImages(std::initializer_list<ImageLayout> specs) {
    for (const ImageLayout& spec : specs) {
        auto* target = new FaceImage(this);
        target->setObjectName(elementName(spec.name, spec.index));
        target->setGeometry(Twips::pixels(spec.left, spec.top, spec.width, spec.height));
        target->setStretch(spec.stretch);
        showPicture(target, spec.picture);
        setTip(target, spec.tip);
        target->setHidden(!spec.shown);
        m_elements.insert(target->objectName(), target);
    }
}

void DiveComputerDisplay::addShapes(std::initializer_list<ShapeLayout> specs) {
    for (const ShapeLayout& spec : specs) {
        auto* target = new FaceShape(this);
        target->setObjectName(QString::fromLatin1(spec.name));
        target->setGeometry(Twips::pixels(spec.left, spec.top, spec.width, spec.height));
        target->setHidden(!spec.shown);
        target->lower();
        m_elements.insert(target->objectName(), target);
    }
}

void DiveComputerDisplay::setDigitFont(QLabel* field, const QFont& font) {
    m_digitFonts.insert(field, font);
    field->setFont(font);
}

void DiveComputerDisplay::showDigits(QLabel* field, const QString& text, int room) {
    field->setText(text);
    const QFont font = m_digitFonts.value(field, field->font());
    field->setFont(fitted(font, text, QSize(room > 0 ? room : field->contentsRect().width(), field->height())));
}

QWidget* DiveComputerDisplay::element(const char* name, int index) const {
    return m_elements.value(elementName(name, index));
}

QLabel* DiveComputerDisplay::label(const char* name, int index) const {
    return qobject_cast<QLabel*>(element(name, index));
}

FaceImage* DiveComputerDisplay::image(const char* name, int index) const {
    return qobject_cast<FaceImage*>(element(name, index));
}

void DiveComputerDisplay::showPicture(FaceImage* target, int index) const {
    if (!target)
        return;
    if (index >= 1 && index <= m_pictures.size())
        target->setPicture(index, m_pictures.at(index - 1));
    else
        target->clearPicture();
}

void DiveComputerDisplay::setTip(QWidget* target, int stringId) {
    if (target)
        target->setToolTip(stringId == 0 ? QString() : getString(stringId));
}

void DiveComputerDisplay::setShown(std::initializer_list<QWidget*> targets, bool shown) {
    for (QWidget* target : targets)
        if (target)
            target->setHidden(!shown);
}

bool DiveComputerDisplay::isMetric() {
    const Internationalization& units = Internationalization::instance();
    return units.measureUnit() == units.STANDARD;
}

QString DiveComputerDisplay::depthText(float metres) {
    return facetext::depthText(Internationalization::instance().getDepthValue(metres));
}

void DiveComputerDisplay::setArrows(float depth, qint16 tappa) const {
    const float stop = 3.0f * float(tappa);
    const bool above = depth < stop - 0.5f;
    const bool below = depth > stop + 0.5f;
    setShown({element("imageTriangleDown")}, !below);
    setShown({element("imageTriangleUp")}, !above);
}

int DiveComputerDisplay::ascentPicture(qint16 level, int first) {
    return level >= 1 && level <= 5 ? first + 5 - level : 0;
}

QWidget* DiveComputerDisplay::stopDepthMark() const {
    return isMetric() ? element("lblSelMeter", 0) : element("lblSelFeet", 0);
}

void DiveComputerDisplay::setDiveMarks(const Dive& dive, std::initializer_list<int> depthMarkItems) {
    const bool salt = dive.isSalt();
    for (int item : {0, 1}) {
        setShown({element("lblSALT", item)}, salt);
        setShown({element("lblFRESH", item)}, !salt);
    }
    const bool metric = isMetric();
    for (int item : depthMarkItems) {
        setShown({element("lblSelMeter", item)}, metric);
        setShown({element("lblSelFeet", item)}, !metric);
    }
    setShown({element("lblSelC")}, metric);
    setShown({element("lblSelF")}, !metric);
    // An altitude class outside 1 to 3 shows no picture rather than the previous dive's.
    const qint16 altitude = dive.getAltitude();
    showPicture(image("imageAltitude"), altitude >= 1 && altitude <= 3 ? 5 + altitude : 0);
}

void DiveComputerDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (BackStyle() != 0)
        p.fillRect(rect(), graphcolors::fromStored(BackColor()));
    if (BorderStyle() == 1) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
