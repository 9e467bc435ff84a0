#include "frmPreview.h"

#include "FormLocalizer.h"
#include "ImageDevice.h"
#include "MainModule.h"
#include "PrintPictures.h"
#include "PrinterManager.h"
#include "Seams.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "frmPrintMonitor.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int SCROLL_MAXIMUM = 50;
// Past this the stretched page would overflow the sizes a window can hold.
constexpr double ZOOM_LIMIT_TWIPS = 65535;
} // namespace

frmPreview::frmPreview(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPreview"));
    setTag(this, QStringLiteral("1750"));
    Forms::add(this);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    buildControls();
    resize(Twips::pixels(9330), Twips::pixels(6705));
    centerForm(this);
    iPosition = 1;
    localizeForm(this);
    cmbZoom->setCurrentIndex(9);
    txtZoom->setText(getString(1759));
}

frmPreview::~frmPreview() = default;

void frmPreview::buildControls() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    const QSize iconSize(20, 20);
    Toolbar1->setIconSize(iconSize);
    struct Button {
        const char* key;
        const char* tip;
        QIcon icon;
    };
    QStyle* style = this->style();
    const Button buttons[] = {
        {"PRINT", "1751", QIcon(PrintPictures::printer(iconSize))},
        {"FIRST", "1752", style->standardIcon(QStyle::SP_MediaSkipBackward)},
        {"PREVIOUS", "1753", style->standardIcon(QStyle::SP_MediaSeekBackward)},
        {"NEXT", "1754", style->standardIcon(QStyle::SP_MediaSeekForward)},
        {"LAST", "1755", style->standardIcon(QStyle::SP_MediaSkipForward)},
        {"ZOOM_IN", "1756", QIcon(PrintPictures::zoom(iconSize, true))},
        {"ZOOM_OUT", "1757", QIcon(PrintPictures::zoom(iconSize, false))},
    };
    for (const Button& b : buttons) {
        const QString key = QLatin1String(b.key);
        QAction* action = Toolbar1->addAction(b.icon, QString());
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setToolTip(QLatin1String(b.tip));
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        toolbarButtons.insert(key, action);
        if (key == QLatin1String("PRINT") || key == QLatin1String("LAST"))
            Toolbar1->addSeparator();
    }
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setToolTip(QStringLiteral("1758"));
    for (int percent = 10; percent <= 200; percent += 10)
        cmbZoom->addItem(QString::number(percent));
    Toolbar1->addWidget(cmbZoom);
    txtZoom = new QLineEdit(this);
    txtZoom->setObjectName(QStringLiteral("txtZoom"));
    txtZoom->setReadOnly(true);
    txtZoom->setFrame(false);
    txtZoom->setFocusPolicy(Qt::NoFocus);
    txtZoom->setStyleSheet(QStringLiteral("background: palette(button);"));
    txtZoom->setMaximumWidth(Twips::pixels(1800));
    Toolbar1->addWidget(txtZoom);
    // The user's choice applies the zoom; the window's own selection at load does not.
    connect(cmbZoom, &QComboBox::activated, this, [this] {
        if (m_previewPM)
            makeZoom();
    });

    PIC_CONTAINER = new QWidget(this);
    PIC_CONTAINER->setObjectName(QStringLiteral("PIC_CONTAINER"));
    PIC_CONTAINER->setAutoFillBackground(true);
    QPalette grey = PIC_CONTAINER->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    PIC_CONTAINER->setPalette(grey);
    PIC_ZOOM = new QLabel(PIC_CONTAINER);
    PIC_ZOOM->setObjectName(QStringLiteral("PIC_ZOOM"));
    PIC_ZOOM->setScaledContents(false);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    for (QScrollBar* bar : {VScroll1, HScroll1}) {
        bar->setRange(0, SCROLL_MAXIMUM);
        bar->setSingleStep(1);
        bar->setPageStep(5);
    }
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmPreview::VScroll1_Change);
    connect(HScroll1, &QScrollBar::valueChanged, this, &frmPreview::HScroll1_Change);

    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(PIC_CONTAINER, 0, 0);
    grid->addWidget(VScroll1, 0, 1);
    grid->addWidget(HScroll1, 1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar1);
    layout->addLayout(grid, 1);
}

void frmPreview::setPrinterManager(std::shared_ptr<PrinterManager> pManager) {
    m_previewPM = std::move(pManager);
    // The paper, not its printable area: at 100 % the preview shows the sheet as it comes out.
    const QRectF page = Seams::printers().pageLayout().fullRect(QPageLayout::Point);
    ImageDevice picture(page.width() * 20, page.height() * 20);
    m_previewPM->doPrint(picture);
    m_page = picture.image();
}

qint32 frmPreview::zoomTextError(const QString& text) {
    for (const QChar c : {u',', u'.', u'+', u'-'}) {
        if (text.contains(c))
            return 3019;
    }
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (!number)
        return 3019;
    if (value == 0)
        return 3020;
    return value < 0 ? 3021 : 0;
}

void frmPreview::makeZoom() {
    const QString text = cmbZoom->currentText();
    if (const qint32 error = zoomTextError(text)) {
        Seams::message().show(getString(error), Msg::OkOnly | Msg::Critical, getString(1005));
    } else {
        const double z = text.toInt() / 100.0;
        const QSize size(int(std::lround(m_page.width() * z)), int(std::lround(m_page.height() * z)));
        PIC_ZOOM->clear();
        PIC_ZOOM->resize(size);
        if (Twips::twips(size.width()) >= ZOOM_LIMIT_TWIPS || Twips::twips(size.height()) >= ZOOM_LIMIT_TWIPS) {
            Seams::message().show(QStringLiteral("[frmPreview.makeZoom: Pic_zoom value too high]\n[6] Overflow"),
                                  Msg::OkOnly, QString());
            return;
        }
        PIC_ZOOM->setPixmap(QPixmap::fromImage(m_page.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    // Every zoom brings the view back to the page's top left corner.
    VScroll1->setValue(0);
    HScroll1->setValue(0);
    placeZoomPicture();
}

void frmPreview::placeZoomPicture() {
    const auto offset = [](int value, int container, int picture) {
        return value * (Twips::twips(container) - Twips::twips(picture)) / SCROLL_MAXIMUM - 10;
    };
    PIC_ZOOM->move(Twips::pixels(offset(HScroll1->value(), PIC_CONTAINER->width(), PIC_ZOOM->width())),
                   Twips::pixels(offset(VScroll1->value(), PIC_CONTAINER->height(), PIC_ZOOM->height())));
}

void frmPreview::VScroll1_Change() {
    placeZoomPicture();
}

void frmPreview::HScroll1_Change() {
    placeZoomPicture();
}

void frmPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeZoomPicture();
}

void frmPreview::Toolbar1_ButtonClick(const QString& key) {
    const int profiles = m_previewPM ? int(m_previewPM->cProfiles.size()) : 0;
    const auto atFirst = [this] {
        if (iPosition > 1)
            return false;
        Seams::message().show(getString(3022), Msg::OkOnly | Msg::Information, getString(1004));
        return true;
    };
    const auto atLast = [this, profiles] {
        if (iPosition < profiles)
            return false;
        Seams::message().show(getString(3023), Msg::OkOnly | Msg::Information, getString(1004));
        return true;
    };
    if (key == QLatin1String("PRINT")) {
        if (!m_previewPM)
            return;
        BusyGuard busy;
        frmPrintMonitor monitor(this);
        monitor.pm = m_previewPM;
        monitor.exec();
    } else if (key == QLatin1String("ZOOM_IN")) {
        if (cmbZoom->currentIndex() < cmbZoom->count() - 1) {
            cmbZoom->setCurrentIndex(cmbZoom->currentIndex() + 1);
            if (m_previewPM)
                makeZoom();
        }
    } else if (key == QLatin1String("ZOOM_OUT")) {
        // The button stops at "20"; "10" is reached from the list only.
        if (cmbZoom->currentIndex() > 1) {
            cmbZoom->setCurrentIndex(cmbZoom->currentIndex() - 1);
            if (m_previewPM)
                makeZoom();
        }
    } else if (key == QLatin1String("FIRST")) {
        if (atFirst())
            return;
        iPosition = 1;
        makeZoom();
    } else if (key == QLatin1String("PREVIOUS")) {
        if (atFirst())
            return;
        --iPosition;
        makeZoom();
    } else if (key == QLatin1String("NEXT")) {
        if (atLast())
            return;
        ++iPosition;
        makeZoom();
    } else if (key == QLatin1String("LAST")) {
        if (atLast())
            return;
        iPosition = qint16(profiles);
        makeZoom();
    }
}
