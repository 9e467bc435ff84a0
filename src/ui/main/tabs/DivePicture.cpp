#include "DivePicture.h"

#include "CommandFailure.h"
#include "DiveDataControl.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString PICTURE = QStringLiteral("PICTURE");

// The formats a dive's picture may have, as the reader names them.
bool isPictureFormat(const QByteArray& format) {
    return format == "bmp" || format == "gif" || format == "jpeg" || format == "jpg" || format == "png";
}

// The picture held by the bytes; a null image for bytes that are none of the four formats. The
// content decides, not the file's name: a text file called .jpg is no picture.
QImage readPicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!isPictureFormat(reader.format().toLower()))
        return QImage();
    return reader.read();
}

} // namespace

DivePicture::DivePicture(DiveDataControl* dataControl, QWidget* parent) : QFrame(parent), m_data(dataControl) {
    setObjectName(QStringLiteral("pictureLocation"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(60, 45);
    setToolTip(getString(1421));

    mnuPopupImage = new QMenu(this);
    mnuPopupImage->setObjectName(QStringLiteral("mnuPopupImage"));
    mnuPopupDeleteImage = mnuPopupImage->addAction(getString(1320));
    mnuPopupDeleteImage->setObjectName(QStringLiteral("mnuPopupDeleteImage"));
    connect(mnuPopupDeleteImage, &QAction::triggered, this, &DivePicture::mnuPopupDeleteImage_Click);

    connect(m_data, &DiveDataControl::reposition, this, &DivePicture::fill);
    fill();
}

void DivePicture::fill() {
    const QVariant stored = m_data->hasCurrentRow() ? m_data->value(PICTURE) : QVariant();
    m_image = stored.isNull() ? QImage() : readPicture(stored.toByteArray());
    update();
}

void DivePicture::pictureLocation_DblClick() {
    // Without a row the picture would belong to no dive; a read-only logbook could not keep it.
    if (!m_data->hasCurrentRow() || m_data->isReadOnly())
        return;
    const QString filter = getString(3003) + QStringLiteral(" (*.bmp);;") + getString(3004) +
                           QStringLiteral(" (*.gif);;") + getString(3005) + QStringLiteral(" (*.jpg *.jpeg);;") +
                           QStringLiteral("PNG (*.png);;") + getString(3036) + QStringLiteral(" (*)");
    const QString fileName = Seams::fileDialogs().openFile(getString(3002), filter);
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QImage image = bytes.isEmpty() ? QImage() : readPicture(bytes);
    if (image.isNull()) {
        Seams::message().show(getString(3006), Msg::OkOnly | Msg::Critical, getString(1005));
        return;
    }
    try {
        m_data->setValue(PICTURE, bytes);
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
        return;
    }
    m_image = image;
    update();
}

void DivePicture::pictureLocation_MouseDown(int button, const QPoint& position) {
    if (button != 2)
        return;
    mnuPopupDeleteImage->setEnabled(hasPicture());
    mnuPopupImage->popup(mapToGlobal(position));
}

void DivePicture::mnuPopupDeleteImage_Click() {
    if (!m_data->hasCurrentRow())
        return;
    try {
        m_data->setValue(PICTURE, QVariant());
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
        return;
    }
    m_image = QImage();
    update();
}

void DivePicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    const QRect area = contentsRect();
    const QSize size = m_image.size().scaled(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}

void DivePicture::mousePressEvent(QMouseEvent* event) {
    const int button = event->button() == Qt::LeftButton     ? 1
                       : event->button() == Qt::RightButton  ? 2
                       : event->button() == Qt::MiddleButton ? 4
                                                             : 0;
    pictureLocation_MouseDown(button, event->position().toPoint());
    QFrame::mousePressEvent(event);
}

void DivePicture::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pictureLocation_DblClick();
    else
        QFrame::mouseDoubleClickEvent(event);
}
