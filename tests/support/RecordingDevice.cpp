#include "RecordingDevice.h"

#include "RuntimeError.h"

#include <QStringList>

void RecordingDevice::record(Call call) {
    if (failAfter == 0)
        throw RuntimeError(482, QStringLiteral("RecordingDevice"), QStringLiteral("Printer error"));
    if (failAfter > 0)
        --failAfter;
    call.font = font();
    call.width = drawWidth();
    call.style = drawStyle();
    calls.append(call);
}

void RecordingDevice::drawLine(const QPointF& from, const QPointF& to, const QColor& color) {
    record({Kind::Line, from, to, 0, {}, {}, {}, color});
}

void RecordingDevice::drawBox(const QRectF& box, const QColor& color, bool filled) {
    record({filled ? Kind::FilledBox : Kind::Box, box.topLeft(), box.bottomRight(), 0, {}, {}, {}, color});
}

void RecordingDevice::drawCircle(const QPointF& centre, double radius, const QColor& color) {
    record({Kind::Circle, centre, centre, radius, {}, {}, {}, color});
}

void RecordingDevice::drawText(const QPointF& topLeft, const QString& text) {
    record({Kind::Text, topLeft, topLeft, 0, {}, text, {}, foreColor()});
}

void RecordingDevice::drawPicture(const PrintPicture& picture, const QPointF& topLeft) {
    record({Kind::Picture, topLeft, topLeft, 0, picture.sizeTwips, {}, {}, {}});
}

void RecordingDevice::newPage() {
    calls.append({Kind::NewPage, {}, {}, 0, {}, {}, {}, {}});
}

void RecordingDevice::endDoc() {
    calls.append({Kind::EndDoc, {}, {}, 0, {}, {}, {}, {}});
}

QList<RecordingDevice::Call> RecordingDevice::ofKind(Kind kind) const {
    QList<Call> found;
    for (const Call& c : calls) {
        if (c.kind == kind)
            found.append(c);
    }
    return found;
}

QStringList RecordingDevice::texts() const {
    QStringList found;
    for (const Call& c : calls) {
        if (c.kind == Kind::Text)
            found.append(c.text);
    }
    return found;
}

RecordingDevice::Call RecordingDevice::textCall(const QString& text) const {
    for (const Call& c : calls) {
        if (c.kind == Kind::Text && c.text == text)
            return c;
    }
    return {Kind::EndDoc, {}, {}, 0, {}, {}, {}, {}};
}
