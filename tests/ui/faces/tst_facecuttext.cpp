#include "CutText.h"
#include "FaceFixture.h"

#include <QPainter>
#include <QStyle>
#include <QtTest>

// Every face, drawn with its digits in the states a diver meets, shows each text whole: no text in
// its font leaves its element's box or the face, none lies on or touches another, none crosses an
// outline. Every digit field keeps its whole figure at the largest reading it can be given.
class tst_FaceCutText : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
    void largestReadingsFit_data();
    void largestReadingsFit();
};

namespace {

// A digit field lights the segments of its figures; every figure lights a part of those of an 8,
// so a field's figures drawn as 8s cover whatever it may show with as many characters.
QString allSegmentsLit(const QLabel* label) {
    QString text = label->text();
    if (label->objectName().startsWith(QLatin1String("lblDigit")))
        for (QChar& c : text)
            if (c.isDigit())
                c = u'8';
    return text;
}

// Where the glyphs of a label fall, drawn as the label draws them but not clipped to it, onto an
// image of `area` (face coordinates).
QImage drawnText(const QLabel* label, const QRect& area) {
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(label->font());
    painter.setPen(Qt::black);
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    QRect box = label->contentsRect().translated(label->pos() - area.topLeft());
    if (label->indent() > 0)
        box.adjust((align & Qt::AlignLeft) ? label->indent() : 0, 0, (align & Qt::AlignRight) ? -label->indent() : 0,
                   0);
    painter.drawText(box, int(align) | Qt::TextDontClip | (label->wordWrap() ? Qt::TextWordWrap : 0),
                     allSegmentsLit(label));
    return image;
}

// A pixel a reader sees as part of a glyph: a quarter covered or more. The fainter smoothing at the
// glyphs' edges neither cuts nor joins them.
constexpr int SEEN = 64;

bool inked(const QImage& image, int x, int y, int threshold = SEEN) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qAlpha(image.pixel(x, y)) >= threshold;
}

// The bounds of what is drawn within `area` of the image.
QRect inkBounds(const QImage& image, int threshold, QRect area = QRect()) {
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    int left = area.right() + 1, right = area.left() - 1, top = area.bottom() + 1, bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(line[x]) >= threshold) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString describe(const QRect& r) {
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.left()).arg(r.top());
}

// What a shown text puts on the glass, in face coordinates: its glyphs and, for a label drawn white
// on black, its box.
struct ShownText {
    const QLabel* label;
    QImage drawn; // the face's size
    QRect glyphs; // every trace of a glyph, however faint
    QRect ink;    // what the reader sees
};

ShownText shownText(const QLabel* label, const QWidget* face) {
    ShownText t{label, drawnText(label, face->rect()), {}, {}};
    t.glyphs = inkBounds(drawnText(label, label->geometry().adjusted(-80, -80, 80, 80)), 1)
                   .translated(label->geometry().topLeft() - QPoint(80, 80));
    if (label->autoFillBackground() &&
        label->palette().color(QPalette::Window) != face->palette().color(QPalette::Window)) {
        QPainter painter(&t.drawn);
        painter.fillRect(label->geometry(), Qt::black);
    }
    t.ink = inkBounds(t.drawn, SEEN, label->geometry().adjusted(-80, -80, 80, 80));
    return t;
}

// What a picture of the face (an image element, the drawn ascent-rate symbol) puts on the glass.
ShownText shownPicture(const QLabel* picture, const QWidget* face) {
    ShownText t{picture, QImage(face->size(), QImage::Format_ARGB32_Premultiplied), {}, {}};
    t.drawn.fill(Qt::transparent);
    const_cast<QLabel*>(picture)->render(&t.drawn, picture->pos(), QRegion(), QWidget::DrawChildren);
    t.ink = inkBounds(t.drawn, SEEN, picture->geometry());
    // All of it, where the face ends too.
    QImage whole(picture->size(), QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::transparent);
    const_cast<QLabel*>(picture)->render(&whole, QPoint(), QRegion(), QWidget::DrawChildren);
    t.glyphs = inkBounds(whole, 1).translated(picture->pos());
    return t;
}

// Whether the two draw on one pixel, or lie with no clear row or column of pixels between what
// they draw: between two texts, between their whole inks, which a reader takes in as blocks; between
// a text and a picture, between their pixels.
enum class Contact { None, Touches, LiesOn };

Contact contact(const ShownText& a, const ShownText& b, bool asBlocks) {
    if (!a.ink.adjusted(-1, -1, 1, 1).intersects(b.ink))
        return Contact::None;
    const QRect near = a.ink.adjusted(-1, -1, 1, 1).intersected(b.ink);
    Contact found = asBlocks ? Contact::Touches : Contact::None;
    for (int y = near.top(); y <= near.bottom(); ++y)
        for (int x = near.left(); x <= near.right(); ++x) {
            if (!inked(b.drawn, x, y))
                continue;
            if (inked(a.drawn, x, y))
                return Contact::LiesOn;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (inked(a.drawn, x + dx, y + dy))
                        found = Contact::Touches;
        }
    return found;
}

QString nameOf(const ShownText& t) {
    if (qobject_cast<const FaceImage*>(t.label) || qobject_cast<const FaceSymbol*>(t.label))
        return QStringLiteral("the picture %1").arg(t.label->objectName());
    return QStringLiteral("%1 \"%2\"").arg(t.label->objectName(), t.label->text());
}

// The faults of the texts the face shows now, one line each; empty when every text reads whole.
QStringList cutTexts(const QWidget* face) {
    const QRect area = face->rect();
    QList<ShownText> shown;
    QList<ShownText> pictures;
    for (const QLabel* label : face->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(face) || !area.intersects(label->geometry()))
            continue;
        // Pictures and the drawn ascent-rate symbol are labels without text of their own.
        if (qobject_cast<const FaceImage*>(label) || qobject_cast<const FaceSymbol*>(label)) {
            const ShownText picture = shownPicture(label, face);
            if (!picture.ink.isEmpty())
                pictures.append(picture);
        } else if (!label->text().trimmed().isEmpty()) {
            shown.append(shownText(label, face));
        }
    }
    QStringList faults;
    for (const ShownText& t : shown) {
        const QRect box = t.label->geometry();
        if (!box.contains(t.glyphs) || !area.contains(t.glyphs))
            faults << QStringLiteral("%1: text %2 leaves its box %3")
                          .arg(nameOf(t), describe(t.glyphs), describe(box.intersected(area)));
    }
    for (const ShownText& picture : pictures)
        if (!area.contains(picture.glyphs))
            faults << QStringLiteral("%1: %2 leaves the face").arg(nameOf(picture), describe(picture.glyphs));
    const auto checkContact = [&faults](const ShownText& a, const ShownText& b, bool asBlocks) {
        const Contact c = contact(a, b, asBlocks);
        if (c != Contact::None)
            faults << QStringLiteral("%1 (%2) %3 %4 (%5)")
                          .arg(nameOf(a), describe(a.ink),
                               c == Contact::LiesOn ? QStringLiteral("lies on") : QStringLiteral("touches"), nameOf(b),
                               describe(b.ink));
    };
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            checkContact(shown[i], shown[j], true);
        // Pictures may lie on one another (both arrows at once make one mark), never on a text.
        for (const ShownText& picture : pictures)
            checkContact(shown[i], picture, false);
    }
    for (const FaceShape* outline : face->findChildren<FaceShape*>()) {
        if (!outline->isVisibleTo(face))
            continue;
        // Inside the outline's stroke, or clear of it.
        const QRect frame = outline->geometry().adjusted(2, 2, -2, -2);
        for (const ShownText& t : shown)
            if (frame.intersects(t.glyphs) && !frame.contains(t.glyphs))
                faults << QStringLiteral("%1: text %2 crosses the outline %3 %4")
                              .arg(nameOf(t), describe(t.glyphs), outline->objectName(), describe(frame));
    }
    return faults;
}

constexpr qint16 FIRST_STEP = 141; // the readings from minute 47 on

// The screens on which the largest readings are shown.
enum class Screen { NoStop, Deco, Safety, DeepStop, FreeDive, FreeDiveSurface, BottomTime };

// The largest reading of every digit field, metric and imperial, and the screen that shows it.
struct Largest {
    const char* face;
    const char* reading;
    int model;
    int mode;
    Screen screen;
    const char* button; // a Kobi button that brings the field forward
    const char* field;
    const char* metric;
    const char* imperial;
};

// Where they come from:
// - depths: the stored profile holds decimetres in four digits, so 999.9 m (3300 ft); a deep stop
//   lies within the dive's depths, 999 m at most;
// - steps: the models' tables end at step 901 (Zento, Lumo: minute 300) and 3001 (RGBM: minute
//   1000); no-stop time, time to surface and CNS are 99 at most, a first stop time is shown as 99
//   at most, the deepest stop is level 8 (24 m, 79 ft), a safety stop counts from 4 minutes;
// - the dive: a temperature of one signed byte (-128 °C, -198 °F), an oxygen percentage of 100 at
//   most, a tank of 25.5 litres at most (its tenths kept in a byte);
// - the tank pressure is a 16-bit number of bar (32767 bar, 475246 psi); a consumption and a
//   free-dive sample's counters are stored in four digits (9999).
QList<Largest> largestReadings() {
    QList<Largest> rows;
    // The Zento and the Lumo faces show the same fields, laid out in their own ways.
    for (const auto& [face, model, lastMinute] : {std::tuple{"Zento RGBM", 4, "1000"}, std::tuple{"Lumo", 2, "300"}})
        rows += QList<Largest>{
            {face, "depth", model, 0, Screen::NoStop, nullptr, "lblDigitDepth", "999", "3300"},
            {face, "maximum depth", model, 0, Screen::NoStop, nullptr, "lblDigitMaxDepth", "999", "3300"},
            {face, "dive minute", model, 0, Screen::NoStop, nullptr, "lblDigitDiveTime", lastMinute, lastMinute},
            {face, "temperature", model, 0, Screen::NoStop, nullptr, "lblDigitTemp", "-128", "-198"},
            {face, "no-stop time", model, 0, Screen::NoStop, nullptr, "lblDigitAscTime0", "99", "99"},
            {face, "no-stop time below", model, 0, Screen::NoStop, nullptr, "lblDigitAscTime1", "99", "99"},
            {face, "first stop time", model, 0, Screen::Deco, nullptr, "lblDigitAscTime0", "99", "99"},
            {face, "time to surface", model, 0, Screen::Deco, nullptr, "lblDigitAscTime1", "99", "99"},
            {face, "stop depth", model, 0, Screen::Deco, nullptr, "lblDigitDeco", "24", "79"},
            {face, "safety stop", model, 0, Screen::Safety, nullptr, "lblDigitDeco", "4", "4"},
            {face, "CNS", model, 1, Screen::NoStop, nullptr, "lblDigitCNSLimit", "99", "99"},
            {face, "oxygen", model, 1, Screen::NoStop, nullptr, "lblDigitNitroxMixture", "100", "100"},
        };
    const char* air = "Lumo Air";
    rows += QList<Largest>{
        {air, "depth", 16, 0, Screen::NoStop, nullptr, "lblDigitDepth", "999", "3300"},
        {air, "maximum depth", 16, 0, Screen::NoStop, nullptr, "lblDigitMaxDepth", "999", "3300"},
        {air, "dive minute", 16, 0, Screen::NoStop, nullptr, "lblDigitDiveTime", "1000", "1000"},
        {air, "no-stop time", 16, 0, Screen::NoStop, nullptr, "lblDigitAscTime0", "99", "99"},
        {air, "first stop time", 16, 0, Screen::Deco, nullptr, "lblDigitAscTime0", "99", "99"},
        {air, "time to surface", 16, 0, Screen::Deco, nullptr, "lblDigitAscTime1", "99", "99"},
        {air, "stop depth", 16, 0, Screen::Deco, nullptr, "lblDigitDeco", "24", "79"},
        {air, "safety stop", 16, 0, Screen::Safety, nullptr, "lblDigitAscTime0", "4", "4"},
        {air, "CNS", 16, 1, Screen::NoStop, nullptr, "lblDigitCNSLimit", "99", "99"},
        {air, "tank pressure", 16, 0, Screen::NoStop, nullptr, "lblDigitTankPressure", "32767", "475246"},
        {air, "consumption", 16, 0, Screen::NoStop, nullptr, "lblDigitConsuption", "9999", "9999"},
        {air, "tank volume", 16, 0, Screen::NoStop, nullptr, "lblDigitTankVolume", "25", ".9"},
    };
    const char* kobi = "Kobi";
    const char* top = "imgTopRedButton";
    rows += QList<Largest>{
        {kobi, "depth", 32, 0, Screen::NoStop, nullptr, "lblDigitDepth", "999.0", "3300.0"},
        {kobi, "maximum depth", 32, 0, Screen::NoStop, top, "lblDigitMaxDepth", "999.0", "3300.0"},
        {kobi, "dive minute", 32, 0, Screen::NoStop, nullptr, "lblDigitDiveTime", "1000", "1000"},
        {kobi, "temperature", 32, 0, Screen::NoStop, nullptr, "lblDigitAscTime1", "-128°C", "-198°F"},
        {kobi, "temperature on its button", 32, 0, Screen::NoStop, "imgBottomRedButton", "lblDigitTemp", "-128°C",
         "-198°F"},
        {kobi, "no-stop time", 32, 0, Screen::NoStop, nullptr, "lblDigitAscTime0", "99", "99"},
        {kobi, "first stop time", 32, 0, Screen::Deco, nullptr, "lblDigitAscTime0", "99", "99"},
        {kobi, "time to surface", 32, 0, Screen::Deco, nullptr, "lblDigitAscTime1", "99", "99"},
        {kobi, "stop depth", 32, 0, Screen::Deco, nullptr, "lblDigitDeco", "24", "79"},
        {kobi, "safety stop", 32, 0, Screen::Safety, nullptr, "lblDigitAscTime0", "4", "4"},
        {kobi, "deep stop", 32, 0, Screen::DeepStop, nullptr, "lblDigitDeco", "999", "3297"},
        {kobi, "CNS", 32, 1, Screen::NoStop, nullptr, "lblDigitDiveTime", "99  ", "99  "},
        {kobi, "oxygen", 32, 1, Screen::NoStop, nullptr, "lblDigitAscTime1", "100", "100"},
        {kobi, "free-dive minutes", 32, 2, Screen::FreeDive, nullptr, "lblDigitDeco", "166", "166"},
        {kobi, "free-dive seconds", 32, 2, Screen::FreeDive, nullptr, "lblDigitAscTime0", "39", "39"},
        {kobi, "free-dive depth", 32, 2, Screen::FreeDive, top, "lblDigitMaxDepth", "999.0", "3300.0"},
        {kobi, "free dive of the series", 32, 2, Screen::FreeDiveSurface, nullptr, "lblDigitAscTime1", "n°9999",
         "n°9999"},
        {kobi, "bottom-time minutes", 32, 3, Screen::BottomTime, nullptr, "lblDigitDeco", "1000", "1000"},
        {kobi, "bottom-time seconds", 32, 3, Screen::BottomTime, nullptr, "lblDigitAscTime0", "20", "20"},
    };
    return rows;
}

const QList<Largest> LARGEST = largestReadings();

// Shows the largest readings on one screen and returns the step shown.
qint16 showLargest(FaceFixture& f, const Largest& row, int unit) {
    const bool freeDive = row.screen == Screen::FreeDive || row.screen == Screen::FreeDiveSurface;
    const qint16 step = freeDive ? 1 : row.model == 2 ? 901 : 3001;
    auto dive = diveOf(row.model, row.mode);
    dive->setMinTemperature(-128);
    if (row.mode == 1)
        dive->setNitroxMixture(100);
    dive->setTankVolume(255);
    dive->setVolumeMeasure(unit);
    if (freeDive)
        dive->addSample(0, 9999, 9999, 9999, 0);
    StepValues largest{.depth = row.screen == Screen::FreeDiveSurface ? 0.0f : 999.9f,
                       .maxDepth = 999.9f,
                       .noDecTime = 99,
                       .cns = 99,
                       .maxVelocity = 5,
                       .tankPressure = 32767,
                       .consumption = 9999};
    if (row.screen == Screen::Deco) {
        largest.decoFlag = 8;
        largest.tappa = 8;
        largest.decoTime = 120;
        largest.ascentTime = 99;
    } else if (row.screen == Screen::Safety) {
        largest.safetyTime = 4;
    } else if (row.screen == Screen::DeepStop) {
        largest.verticalDeep = 0;
    }
    QList<StepValues> steps(step);
    steps.append(largest);
    f.show(dive, steps, 999, -1);
    f.face->updateDisplay(step);
    return step;
}

} // namespace

void tst_FaceCutText::textsFitTheirBoxes_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stopFlag");
    QTest::addColumn<int>("unit");
    for (int model : {1, 2, 4, 8, 16, 32}) {
        QTest::addRow("%d air", model) << model << 0 << false << 0;
        QTest::addRow("%d nitrox", model) << model << 1 << false << 0;
        QTest::addRow("%d air imperial", model) << model << 0 << false << 1;
        QTest::addRow("%d nitrox imperial", model) << model << 1 << false << 1;
        QTest::addRow("%d bottom time", model) << model << (model == 32 ? 3 : 2) << false << 0;
        QTest::addRow("%d stop flag", model) << model << 0 << true << 0;
    }
    QTest::addRow("32 free dive") << 32 << 2 << false << 0;
    QTest::addRow("32 free dive imperial") << 32 << 2 << false << 1;
}

void tst_FaceCutText::textsFitTheirBoxes() {
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(bool, stopFlag);
    QFETCH(int, unit);
    FaceFixture f(model, unit);
    auto dive = diveOf(model, mode, stopFlag);
    dive->setAltitude(2);
    dive->setTankVolume(150);
    QList<StepValues> steps(FIRST_STEP);
    steps += tellingSteps();
    QList<QPair<QString, qint16>> shown;
    for (qsizetype k = 0; k < TELLING_STEP_NAMES.size(); ++k)
        shown.append({TELLING_STEP_NAMES[k], qint16(FIRST_STEP + k)});
    if (model == 32 && mode == 2) {
        // A series: the third dive under way (1 min 25 s, 18.4 m deepest), then at the surface.
        for (int i = 0; i < FIRST_STEP; ++i)
            dive->addSample(0, 1, 0, 0, 0);
        dive->addSample(152, 3, 85, 184, 0);
        dive->addSample(0, 3, 20, 184, 0);
        shown = {{QStringLiteral("under water"), qint16(FIRST_STEP)}, {QStringLiteral("surface"), FIRST_STEP + 1}};
    }
    f.face->setIcon(true, true);
    f.show(dive, steps, 18, 9);
    QStringList faults;
    for (const auto& [screen, step] : shown) {
        f.face->updateDisplay(step);
        CutText::saveLook(f.face.get(), screen);
        for (const QString& fault : cutTexts(f.face.get()))
            faults << QStringLiteral("%1, %2: %3").arg(QLatin1String(f.face->metaObject()->className()), screen, fault);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void tst_FaceCutText::largestReadingsFit_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("unit");
    for (int row = 0; row < LARGEST.size(); ++row)
        for (int unit : {0, 1})
            QTest::addRow("%s, %s, %s", LARGEST[row].face, LARGEST[row].reading, unit == 0 ? "metric" : "imperial")
                << row << unit;
}

void tst_FaceCutText::largestReadingsFit() {
    QFETCH(int, row);
    QFETCH(int, unit);
    const Largest& largest = LARGEST[row];
    FaceFixture f(largest.model, unit);
    showLargest(f, largest, unit);
    if (largest.button)
        QTest::mouseClick(f.image(QLatin1String(largest.button)), Qt::LeftButton);
    CutText::saveLook(f.face.get(), QStringLiteral("largest"));
    const QString field = QLatin1String(largest.field);
    QVERIFY(f.shown(field));
    QCOMPARE(f.text(field), QString::fromUtf8(unit == 0 ? largest.metric : largest.imperial));
    QStringList faults;
    for (const QString& fault : cutTexts(f.face.get()))
        if (fault.contains(field + QStringLiteral(" \"")))
            faults << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(tst_FaceCutText)
#include "tst_facecuttext.moc"
