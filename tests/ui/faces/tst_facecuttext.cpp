#include "FaceFixture.h"

#include <QPainter>
#include <QStyle>
#include <QtTest>

// Every face, drawn with its digits in the states a diver meets, shows each text whole: no text in
// its font leaves its element's box or the face, none lies on another, none crosses an outline.
class tst_FaceCutText : public QObject {
    Q_OBJECT
private slots:
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
};

namespace {

// The label's text drawn as the label draws it, but not clipped to the label, onto `area` (face
// coordinates).
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
    painter.drawText(box, int(align) | Qt::TextDontClip | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
    return image;
}

// Any trace of a glyph that a box cuts is lost; glyphs touching at their smoothed edges still read.
bool inked(const QImage& image, int x, int y, int threshold = 0) {
    return qAlpha(image.pixel(x, y)) > threshold;
}

// Where a label's glyphs fall, in its face's coordinates.
QRect inkOf(const QLabel* label) {
    const QRect area = label->geometry().adjusted(-80, -80, 80, 80);
    const QImage image = drawnText(label, area);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y))
                ink |= QRect(x, y, 1, 1);
    return ink.translated(area.topLeft());
}

// Whether the glyphs of two labels cover one pixel.
bool overlaps(const QLabel* a, const QLabel* b, const QRect& common) {
    if (common.isEmpty())
        return false;
    const QImage first = drawnText(a, common);
    const QImage second = drawnText(b, common);
    for (int y = 0; y < common.height(); ++y)
        for (int x = 0; x < common.width(); ++x)
            if (inked(first, x, y, 96) && inked(second, x, y, 96))
                return true;
    return false;
}

QString describe(const QRect& r) {
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.left()).arg(r.top());
}

struct ShownText {
    const QLabel* label;
    QRect ink;
};

// The faults of the texts the face shows now, one line each; empty when every text reads whole.
QStringList cutTexts(const QWidget* face) {
    const QRect area = face->rect();
    QList<ShownText> shown;
    for (const QLabel* label : face->findChildren<QLabel*>()) {
        // Pictures and the drawn ascent-rate symbol are labels without text of their own.
        if (qobject_cast<const FaceImage*>(label) || qobject_cast<const FaceSymbol*>(label))
            continue;
        if (!label->isVisibleTo(face) || label->text().trimmed().isEmpty() || !area.intersects(label->geometry()))
            continue;
        shown.append({label, inkOf(label)});
    }
    const auto name = [](const ShownText& t) {
        return QStringLiteral("%1 \"%2\"").arg(t.label->objectName(), t.label->text());
    };
    QStringList faults;
    for (const ShownText& t : shown) {
        const QRect box = t.label->geometry();
        if (!box.contains(t.ink) || !area.contains(t.ink))
            faults << QStringLiteral("%1: text %2 leaves its box %3")
                          .arg(name(t), describe(t.ink), describe(box.intersected(area)));
    }
    for (qsizetype i = 0; i < shown.size(); ++i)
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (overlaps(shown[i].label, shown[j].label, shown[i].ink.intersected(shown[j].ink)))
                faults << QStringLiteral("%1 (%2) lies on %3 (%4)")
                              .arg(name(shown[i]), describe(shown[i].ink), name(shown[j]), describe(shown[j].ink));
    for (const FaceShape* outline : face->findChildren<FaceShape*>()) {
        if (!outline->isVisibleTo(face))
            continue;
        // Inside the outline's stroke, or clear of it.
        const QRect frame = outline->geometry().adjusted(2, 2, -2, -2);
        for (const ShownText& t : shown)
            if (frame.intersects(t.ink) && !frame.contains(t.ink))
                faults << QStringLiteral("%1: text %2 crosses the outline %3 %4")
                              .arg(name(t), describe(t.ink), outline->objectName(), describe(frame));
    }
    return faults;
}

constexpr qint16 FIRST_STEP = 141; // the readings from minute 47 on

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
        for (const QString& fault : cutTexts(f.face.get()))
            faults << QStringLiteral("%1, %2: %3").arg(QLatin1String(f.face->metaObject()->className()), screen, fault);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(tst_FaceCutText)
#include "tst_facecuttext.moc"
