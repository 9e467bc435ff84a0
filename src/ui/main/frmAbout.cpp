#include "frmAbout.h"

#include "FormLocalizer.h"
#include "InterfaceLibraries.h"
#include "MainModule.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "WindowHelpers.h"
#include "frmSplash.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <functional>

namespace {
constexpr int WIDTH = 520;
constexpr int HEIGHT = 380;
constexpr int MARGIN = 16;

QLabel* label(const char* name, const char* tag, const QRect& where, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    if (tag)
        setTag(l, QLatin1String(tag));
    l->setGeometry(where);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFrame* line(const char* name, int top, QWidget* parent) {
    auto* l = new QFrame(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(MARGIN, top, WIDTH - 2 * MARGIN, 2);
    return l;
}

// A library that is missing or fails when asked must not keep the window from opening.
QString versionOf(const std::function<qint32()>& getVersion) {
    try {
        return QString::number(getVersion());
    } catch (const RuntimeError&) {
        return QStringLiteral("-");
    }
}

QString libraryVersionsText() {
    return QStringLiteral("Dll: ") + getString(1604) + u' ' +
           versionOf([] { return InterfaceLibraries::zento().getVersion(); }) + QStringLiteral(", ") +
           versionOf([] { return InterfaceLibraries::b330().getVersion(); }) + QStringLiteral(", ") +
           versionOf([] { return InterfaceLibraries::b770().getVersion(); });
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setTag(this, QStringLiteral("1600"));
    Forms::add(this);
    setFixedSize(WIDTH, HEIGHT);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, WIDTH, 110);
    Image1->setPixmap(splashPicture(Image1->size()));

    const int textWidth = WIDTH - 2 * MARGIN;
    lblVersion = label("lblVersion", nullptr, QRect(MARGIN, 122, textWidth, 20), this);
    lblDllVersion = label("lblDllVersion", nullptr, QRect(MARGIN, 144, textWidth, 20), this);
    Line1 = line("Line1", 172, this);
    lblDescription = label("lblDescription", "1602", QRect(MARGIN, 180, textWidth, 36), this);
    Line2 = line("Line2", 222, this);
    lblDisclaimer = label("lblDisclaimer", "1601", QRect(MARGIN, 230, textWidth, 90), this);

    cmdSysInfo = new QPushButton(this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    setTag(cmdSysInfo, QStringLiteral("1603"));
    cmdSysInfo->setGeometry(WIDTH - MARGIN - 230, HEIGHT - 44, 120, 28);
    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    setTag(cmdOk, QStringLiteral("1010"));
    cmdOk->setGeometry(WIDTH - MARGIN - 100, HEIGHT - 44, 100, 28);
    cmdOk->setDefault(true);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);

    centerForm(this);
    localizeForm(this);
    lblVersion->setText(getString(1604) + u' ' + QString::number(SONA_VERSION_MAJOR) + u'.' +
                        QString::number(SONA_VERSION_MINOR) + u'.' + QString::number(SONA_VERSION_PATCH));
    lblDllVersion->setText(libraryVersionsText());
    setWindowTitle(getString(num::textToInt32(tagOf(this))) + QStringLiteral(" S.O.N.A"));
}

void frmAbout::StartSysInfo() {
    try {
        const QString path = Seams::systemInfo().locate();
        if (!path.isEmpty() && Seams::systemInfo().start(path))
            return;
    } catch (const RuntimeError&) {
        // Told below, as when there is no tool at all.
    }
    Seams::message().show(getString(3030), Msg::OkOnly, getString(1004));
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::cmdOk_Click() {
    accept();
}
