#include "frmImportDB.h"

#include "DownloadPictures.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
constexpr int WIDTH = 500;
constexpr int HEIGHT = 330;

QLabel* label(const char* name, const char* tag, const QRect& where, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    setTag(l, QLatin1String(tag));
    l->setGeometry(where);
    return l;
}

QPushButton* button(const char* name, const char* tag, const QRect& where, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    if (tag)
        setTag(b, QLatin1String(tag));
    b->setGeometry(where);
    return b;
}
} // namespace

frmImportDB::frmImportDB(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportDB"));
    setTag(this, QStringLiteral("2200"));
    Forms::add(this);
    setFixedSize(WIDTH, HEIGHT);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 12, 48, 48);
    Image1->setPixmap(logbookPicture(48));
    lbl_Title = label("lbl_Title", "2200", QRect(76, 12, WIDTH - 92, 28), this);
    QFont title = lbl_Title->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    lbl_Title->setFont(title);
    lblTitle = label("lblTitle", "2203", QRect(76, 42, WIDTH - 92, 44), this);
    lblTitle->setWordWrap(true);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblSource = label("lblSource", "2204", QRect(16, 96, WIDTH - 32, 20), this);
    txtSource = new QLineEdit(this);
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setGeometry(16, 118, WIDTH - 72, 26);
    cmdSearchFile = button("cmdSearchFile", nullptr, QRect(WIDTH - 50, 117, 34, 28), this);
    cmdSearchFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    lblTarget = label("lblTarget", "2202", QRect(16, 154, WIDTH - 32, 20), this);
    txtTarget = new QLineEdit(this);
    txtTarget->setObjectName(QStringLiteral("txtTarget"));
    txtTarget->setGeometry(16, 176, WIDTH - 32, 26);

    frameProgress = new QGroupBox(this);
    frameProgress->setObjectName(QStringLiteral("frameProgress"));
    setTag(frameProgress, QStringLiteral("2201"));
    frameProgress->setGeometry(16, 212, WIDTH - 32, 58);
    Gauge1 = new QProgressBar(frameProgress);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(12, 24, WIDTH - 56, 20);
    Gauge1->setTextVisible(false);
    Gauge1->setValue(0);

    btnOk = button("btnOk", "1010", QRect(WIDTH - 216, HEIGHT - 44, 96, 28), this);
    btnCancel = button("btnCancel", "1012", QRect(WIDTH - 112, HEIGHT - 44, 96, 28), this);
    connect(cmdSearchFile, &QPushButton::clicked, this, &frmImportDB::cmdSearchFile_Click);
    connect(btnOk, &QPushButton::clicked, this, &frmImportDB::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmImportDB::btnCancel_Click);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const int left = (area.width() - width()) * TWIPS_PER_PIXEL / 2;
        const int top = (area.height() - height()) * TWIPS_PER_PIXEL / 2;
        move(area.left() + left / TWIPS_PER_PIXEL, area.top() + top / TWIPS_PER_PIXEL);
    }
    localizeForm(this);
    txtSource->setText(QStringLiteral("C:\\ORVA\\DIVES.MDB"));
    txtTarget->setText(Settings::instance().databaseName());
}

void frmImportDB::cmdSearchFile_Click() {
    const QString file = Seams::fileDialogs().openFile(QString(), QStringLiteral("Mdb files (*.mdb)"));
    if (!file.isEmpty())
        txtSource->setText(file);
}

void frmImportDB::btnOk_Click() {
    try {
        hadImported = importDB();
    } catch (const RuntimeError& error) {
        // The window stays open and nothing was imported.
        Seams::message().show(QStringLiteral("[frmImportDB.btnOk_Click] The import failed.\n[%1] %2")
                                  .arg(error.number())
                                  .arg(error.description()),
                              Msg::OkOnly | Msg::Critical, getString(1005));
        return;
    }
    hide();
}

void frmImportDB::btnCancel_Click() {
    hadImported = false;
    hide();
}

bool frmImportDB::importDB() {
    throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("frmImport.importDB"),
                       QStringLiteral("Function not callable in SONA 1.0 and maybe forever :-)"));
}
