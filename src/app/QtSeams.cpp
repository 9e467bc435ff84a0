#include "QtSeams.h"

#include "MainModule.h"
#include "Seams.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationName() : title;
}

// While a window waits for the user, the normal pointer, whatever the caller is busy with: a wait
// pointer over a file dialog says the program is not ready for a name. The caller's pointers come
// back when the window closes.
class WaitingForUser {
public:
    WaitingForUser() {
        while (const QCursor* cursor = QApplication::overrideCursor()) {
            m_cursors.prepend(*cursor);
            QApplication::restoreOverrideCursor();
        }
    }
    ~WaitingForUser() {
        for (const QCursor& cursor : std::as_const(m_cursors))
            QApplication::setOverrideCursor(cursor);
    }
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

private:
    QList<QCursor> m_cursors; // the first set first
};

class QtMessageService : public MessageService {
public:
    int show(const QString& text, int flags, const QString& title) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(titleOr(title));
        box.setText(text);
        switch (Msg::icon(flags)) {
        case Msg::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Msg::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Msg::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Msg::Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int answer;
        };
        QList<Choice> choices;
        switch (Msg::buttons(flags)) {
        case Msg::OkCancel:
            choices = {{QMessageBox::Ok, Msg::Ok}, {QMessageBox::Cancel, Msg::Cancel}};
            break;
        case Msg::AbortRetryIgnore:
            choices = {
                {QMessageBox::Abort, Msg::Abort}, {QMessageBox::Retry, Msg::Retry}, {QMessageBox::Ignore, Msg::Ignore}};
            break;
        case Msg::YesNoCancel:
            choices = {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}, {QMessageBox::Cancel, Msg::Cancel}};
            break;
        case Msg::YesNo:
            choices = {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}};
            break;
        case Msg::RetryCancel:
            choices = {{QMessageBox::Retry, Msg::Retry}, {QMessageBox::Cancel, Msg::Cancel}};
            break;
        default:
            choices = {{QMessageBox::Ok, Msg::Ok}};
            break;
        }
        QMessageBox::StandardButtons buttons;
        for (const Choice& c : choices)
            buttons |= c.button;
        box.setStandardButtons(buttons);
        const auto pressed = [&box] {
            const WaitingForUser waiting;
            return QMessageBox::StandardButton(box.exec());
        }();
        for (const Choice& c : choices) {
            if (c.button == pressed)
                return c.answer;
        }
        return choices.size() == 1 ? Msg::Ok : Msg::Cancel;
    }
};

class QtInputService : public InputService {
public:
    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override {
        const WaitingForUser waiting;
        bool ok = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOr(title), prompt,
                                                   QLineEdit::Normal, defaultText, &ok);
        return ok ? text : QString();
    }
};

class QtFileDialogService : public FileDialogService {
public:
    QString openFile(const QString& title, const QString& filter) override {
        const WaitingForUser waiting;
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
    }
    QString saveFile(const QString& title, const QString& filter, const QString& suggestedName) override {
        const WaitingForUser waiting;
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedName, filter);
    }
    bool chooseColor(QColor& color) override {
        const WaitingForUser waiting;
        const QColor chosen = QColorDialog::getColor(color, QApplication::activeWindow());
        if (!chosen.isValid())
            return false;
        color = chosen;
        return true;
    }
    bool chooseFont(QFont& font) override {
        const WaitingForUser waiting;
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
        if (ok)
            font = chosen;
        return ok;
    }
};

class QtBusyPointer : public BusyPointer {
public:
    void setBusy(bool busy) override {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
    }
};

class QtEventPump : public EventPump {
public:
    void processEvents() override { QApplication::processEvents(); }
};

class QtClipboard : public ClipboardService {
public:
    void setText(const QString& text) override { QApplication::clipboard()->setText(text); }
    QString text() const override { return QApplication::clipboard()->text(); }
};

// The installed printers and a PDF-file printer, so printing works everywhere. The program's
// printer settings (which printer, orientation, paper) live in one shared printer object.
// Asking the print system for its printers takes a while: it is asked when the program first prints,
// not at start.
class QtPrinterService : public PrinterService {
public:
    // In the language of the session: the language is chosen at start-up, so the name holds for the run.
    static QString pdfPrinterName() { return getString(2017); }

    QStringList printerNames() const override { return installedPrinters(); }
    QString defaultPrinterName() const override { return systemDefault(); }
    QString currentPrinterName() const override {
        return printer().outputFormat() == QPrinter::PdfFormat ? pdfPrinterName() : printer().printerName();
    }
    void setCurrentPrinter(const QString& name) override {
        if (name == pdfPrinterName()) {
            usePdf(printer());
            return;
        }
        printer().setOutputFormat(QPrinter::NativeFormat);
        printer().setPrinterName(name);
    }
    int orientation() const override { return printer().pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1; }
    void setOrientation(int orientation) override {
        printer().setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    QPageLayout pageLayout() const override { return printer().pageLayout(); }

    std::unique_ptr<QPagedPaintDevice> openDocument() override {
        auto document = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (printer().outputFormat() == QPrinter::PdfFormat) {
            QString file = Seams::fileDialogs().saveFile(QString(), QStringLiteral("PDF (*.pdf)"), m_lastPdf);
            if (file.isEmpty())
                return nullptr;
            if (QFileInfo(file).suffix().isEmpty())
                file += QStringLiteral(".pdf");
            m_lastPdf = file;
            usePdf(*document);
            document->setOutputFileName(file);
        } else {
            document->setPrinterName(printer().printerName());
        }
        document->setPageLayout(printer().pageLayout());
        return document;
    }
    void showSetup() override {
        QPageSetupDialog dialog(&printer(), QApplication::activeWindow());
        const WaitingForUser waiting;
        dialog.exec();
    }

private:
    static void usePdf(QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        // 600 dots to the inch: the line widths the pages ask for in dots read as on a laser printer.
        p.setResolution(600);
    }
    static QStringList installedPrinters() {
        QStringList names = QPrinterInfo::availablePrinterNames();
        names.append(pdfPrinterName());
        return names;
    }
    static QString systemDefault() {
        const QString name = QPrinterInfo::defaultPrinterName();
        return name.isEmpty() ? installedPrinters().constFirst() : name;
    }
    // The default printer until the user chooses another.
    static QPrinter& printer() {
        static QPrinter& shared = []() -> QPrinter& {
            static QPrinter made(QPrinter::HighResolution);
            const QString name = systemDefault();
            if (name != pdfPrinterName())
                made.setPrinterName(name);
            else
                usePdf(made);
            return made;
        }();
        return shared;
    }
    QString m_lastPdf =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/sona.pdf");
};

class QtSpreadsheetService : public SpreadsheetService {
public:
    bool open(const QString& workbookPath) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(workbookPath));
    }
};

class QtHelpService : public HelpService {
public:
    bool show(const QString& helpFile, int command) override {
        const QString page = HelpService::page(helpFile, command);
        if (!QFileInfo::exists(page))
            return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    }
};

class QtSystemInfoService : public SystemInfoService {
public:
    QString locate() const override {
        for (const char* name : {"hardinfo", "hardinfo2", "gnome-system-monitor", "kinfocenter", "lshw-gtk"}) {
            const QString path = QStandardPaths::findExecutable(QLatin1String(name));
            if (!path.isEmpty())
                return path;
        }
        return QString();
    }
    bool start(const QString& path) override { return QProcess::startDetached(path, {}); }
};

class QtClock : public ClockService {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
} // namespace

void installQtSeams() {
    Seams::install(std::make_unique<QtMessageService>());
    Seams::install(std::make_unique<QtInputService>());
    Seams::install(std::make_unique<QtFileDialogService>());
    Seams::install(std::make_unique<QtBusyPointer>());
    Seams::install(std::make_unique<QtEventPump>());
    Seams::install(std::make_unique<QtClipboard>());
    Seams::install(std::make_unique<QtPrinterService>());
    Seams::install(std::make_unique<QtSpreadsheetService>());
    Seams::install(std::make_unique<QtHelpService>());
    Seams::install(std::make_unique<QtSystemInfoService>());
    Seams::install(std::make_unique<QtClock>());
}
