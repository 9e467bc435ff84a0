#include "frmModifyDateTime.h"

#include "DiveDateRange.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Seams.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QTimeEdit>

using Twips::pixels;

namespace {
// Design geometry, in twips.
constexpr int FORM_WIDTH = 6300;
constexpr int FORM_HEIGHT = 3240;

QLabel* label(const char* name, const char* tag, QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    if (tag)
        setTag(l, QLatin1String(tag));
    l->setGeometry(geometry);
    return l;
}

// A calendar leaf with a clock in front of it.
QPixmap dateTimePicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    const QRectF leaf(w * 0.05, h * 0.10, w * 0.75, h * 0.72);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(leaf, 4, 4);
    p.setBrush(QColor(200, 40, 40));
    p.drawRoundedRect(QRectF(leaf.left(), leaf.top(), leaf.width(), leaf.height() * 0.22), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 150));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const qreal cell = leaf.width() / 5.5;
            p.drawRect(QRectF(leaf.left() + cell * (0.5 + column * 1.25),
                              leaf.top() + leaf.height() * 0.32 + row * cell, cell * 0.8, cell * 0.6));
        }
    }

    const QPointF centre(w * 0.68, h * 0.70);
    const qreal radius = w * 0.27;
    p.setPen(QPen(QColor(40, 70, 140), 2));
    p.setBrush(QColor(235, 242, 255));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(30, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.7));
    p.drawLine(centre, centre + QPointF(radius * 0.5, radius * 0.1));
    return picture;
}
} // namespace

frmModifyDateTime::frmModifyDateTime(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmModifyDateTime"));
    setTag(this, QStringLiteral("1716"));
    Forms::add(this);
    buildControls();
    connect(OKButton, &QPushButton::clicked, this, &frmModifyDateTime::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmModifyDateTime::CancelButton_Click);

    bOk = false;
    centerForm(this);
    localizeForm(this);
}

void frmModifyDateTime::buildControls() {
    setFixedSize(FORM_WIDTH / TWIPS_PER_PIXEL, FORM_HEIGHT / TWIPS_PER_PIXEL);

    lbl_Title = label("lbl_Title", "1716", this, pixels(0, 0, FORM_WIDTH, 450));
    lbl_Title->setIndent(8);
    Twips::makeTitleBand(lbl_Title);

    imgDateTime = label("imgDateTime", nullptr, this, pixels(120, 600, 1200, 1200));
    imgDateTime->setPixmap(dateTimePicture(imgDateTime->size()));

    lblCurrentDateTime = label("lblCurrentDateTime", "1717", this, pixels(1500, 640, 4600, 255));
    lbl_CurrentDateTime = label("lbl_CurrentDateTime", nullptr, this, pixels(1500, 930, 4600, 315));
    lbl_CurrentDateTime->setIndent(4);
    lbl_CurrentDateTime->setAutoFillBackground(true);
    QPalette grey = lbl_CurrentDateTime->palette();
    grey.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    lbl_CurrentDateTime->setPalette(grey);
    lblNewDateTime = label("lblNewDateTime", "1718", this, pixels(1500, 1440, 4600, 255));

    // Wider than a dive date may be, so that a slip is refused with a message at OK instead of
    // being pulled silently to the nearest allowed date.
    DTNewDate = new QDateEdit(this);
    DTNewDate->setObjectName(QStringLiteral("DTNewDate"));
    DTNewDate->setGeometry(pixels(1500, 1730, 2280, 315));
    DTNewDate->setCalendarPopup(true);
    DTNewDate->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    Internationalization& units = Internationalization::instance();
    DTNewDate->setDisplayFormat(units.measureUnit() == units.IMPERIAL ? QStringLiteral("MM/dd/yyyy")
                                                                      : QStringLiteral("dd/MM/yyyy"));
    DTNewTime = new QTimeEdit(this);
    DTNewTime->setObjectName(QStringLiteral("DTNewTime"));
    DTNewTime->setGeometry(pixels(3900, 1730, 2200, 315));
    DTNewTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    setTag(OKButton, QStringLiteral("1010"));
    OKButton->setGeometry(pixels(3240, 2640, 1335, 405));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    setTag(CancelButton, QStringLiteral("1012"));
    CancelButton->setGeometry(pixels(4740, 2640, 1335, 405));
}

void frmModifyDateTime::showEvent(QShowEvent* event) {
    // A dialog shown again answers for this showing only.
    if (!event->spontaneous())
        bOk = false;
    QDialog::showEvent(event);
}

void frmModifyDateTime::OKButton_Click() {
    const QTime time = DTNewTime->time();
    const QDateTime chosen(DTNewDate->date(), QTime(time.hour(), time.minute(), time.second()));
    if (!isValidDiveDate(chosen)) {
        Seams::message().show(getString(3015), Msg::OkOnly | Msg::Critical, getString(1005));
        return;
    }
    newDateTime = chosen;
    bOk = true;
    accept();
}

void frmModifyDateTime::CancelButton_Click() {
    reject();
}
