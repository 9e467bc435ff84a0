#include "frmDownloadConfirmDialog.h"

#include "DownloadPictures.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "ModelCodes.h"
#include "Numeric.h"
#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int WIDTH = 460;
constexpr int HEIGHT = 330;

QLabel* picture(const char* name, const QPixmap& pixmap, const QRect& where, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFrame* shape(const char* name, const QRect& where, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(where);
    return frame;
}

QPushButton* button(const char* name, const char* tag, const QRect& where, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    setTag(b, QLatin1String(tag));
    b->setGeometry(where);
    return b;
}
} // namespace

frmDownloadConfirmDialog::frmDownloadConfirmDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDownloadConfirmDialog"));
    Forms::add(this);
    setFixedSize(WIDTH, HEIGHT);

    Shape1 = shape("Shape1", QRect(8, 8, WIDTH - 16, 74), this);
    Shape2 = shape("Shape2", QRect(8, 90, WIDTH - 16, 186), this);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(18, 14, WIDTH - 36, 22);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTitle1 = new QLabel(this);
    lblTitle1->setObjectName(QStringLiteral("lblTitle1"));
    lblTitle1->setGeometry(18, 38, WIDTH - 36, 40);
    lblTitle1->setWordWrap(true);
    lblTitle1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Image1 = picture("Image1", serialCablePicture(), QRect(318, 98, 90, 170), this);
    const QRect device(110, 98, 220, 170);
    imageZento = picture("imageZento", deviceInUnitPicture(DeviceLook::Zento), device, this);
    imageLumo = picture("imageLumo", deviceInUnitPicture(DeviceLook::Lumo), device, this);
    imageTavex = picture("imageTavex", deviceInUnitPicture(DeviceLook::Tavex), device, this);
    imageKobi = picture("imageKobi", deviceInUnitPicture(DeviceLook::Kobi), device, this);

    OKButton = button("OKButton", "1010", QRect(WIDTH - 200, HEIGHT - 42, 90, 28), this);
    CancelButton = button("CancelButton", "1012", QRect(WIDTH - 102, HEIGHT - 42, 90, 28), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &frmDownloadConfirmDialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmDownloadConfirmDialog::CancelButton_Click);

    // The user answers with the normal pointer, whatever the driver had set.
    Seams::busyPointer().setBusy(false);
    centerForm(this);
    localizeForm(this);
    setWindowTitle(QString());

    const Settings& settings = Settings::instance();
    lblTitle->setText(getStringWithArgs(3028, {QStringLiteral("|1"), settings.comPort()}));
    const qint32 model = settings.currentDiveComputer();
    lblTitle1->setText(
        getStringWithArgs(3029, {QStringLiteral("|1"), getDiveComputerName(num::toInt16(double(model)))}));

    QLabel* shown = nullptr;
    if (const std::optional<ModelCode> family = ModelCodes::model(model)) {
        switch (*family) {
        case ModelCode::dcZento:
        case ModelCode::dcZentoRGBM:
            shown = imageZento;
            break;
        case ModelCode::dcLUMO:
            shown = imageLumo;
            break;
        case ModelCode::dcTAVEX:
        case ModelCode::dcLumoAir:
            shown = imageTavex;
            break;
        case ModelCode::dcKOBI:
            shown = imageKobi;
            break;
        }
    }
    if (shown) {
        for (QLabel* image : {imageZento, imageLumo, imageTavex, imageKobi})
            image->setVisible(image == shown);
    }
    okPressed = false;
}

void frmDownloadConfirmDialog::install() {
    DownloadConfirmDialog::installFactory(
        [] { return std::make_unique<frmDownloadConfirmDialog>(QApplication::activeModalWidget()); });
}

void frmDownloadConfirmDialog::showModal() {
    okPressed = false;
    exec();
}

void frmDownloadConfirmDialog::OKButton_Click() {
    okPressed = true;
    hide();
}

void frmDownloadConfirmDialog::CancelButton_Click() {
    okPressed = false;
    hide();
}
