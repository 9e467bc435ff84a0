#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <memory>

// Every call that waits for a person or reaches outside the process goes through one of these
// interfaces. The program installs Qt implementations at start; tests install scripted fakes.

// Message box buttons, icons and answers, as the callers combine them.
namespace Msg {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;

constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;

constexpr int buttons(int flags) {
    return flags & 7;
}
constexpr int icon(int flags) {
    return flags & 0x70;
}
} // namespace Msg

class MessageService {
public:
    virtual ~MessageService() = default;
    // An empty title shows the application title.
    virtual int show(const QString& text, int flags, const QString& title) = 0;
};

class InputService {
public:
    virtual ~InputService() = default;
    // The entered text, or "" when cancelled.
    virtual QString ask(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen file, or "" when cancelled. `filter` uses Qt's "Pictures (*.bmp *.jpg)" form.
    virtual QString openFile(const QString& title, const QString& filter) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& suggestedName) = 0;
    // False when cancelled.
    virtual bool chooseColor(QColor& color) = 0;
    virtual bool chooseFont(QFont& font) = 0;
};

class BusyPointer {
public:
    virtual ~BusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets pending window events run once.
    virtual void processEvents() = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // The installed printers, and a PDF-file printer so that printing works everywhere.
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;
    // The printer the program prints on until it ends, one of printerNames(); the default at start.
    virtual QString currentPrinterName() const = 0;
    virtual void setCurrentPrinter(const QString& name) = 0;
    // 1 portrait, 2 landscape; 0 when there is no printer.
    virtual int orientation() const = 0;
    // Throws RuntimeError when there is no printer or the driver refuses.
    virtual void setOrientation(int orientation) = 0;
    // The current printer's paper, orientation and margins.
    virtual QPageLayout pageLayout() const = 0;
    // A new document on the current printer, to paint pages on; nullptr when the user cancelled
    // (the PDF-file printer asks for its file).
    virtual std::unique_ptr<QPagedPaintDevice> openDocument() = 0;
    // The platform's print-setup form for the current printer.
    virtual void showSetup() = 0;
};

class SpreadsheetService {
public:
    virtual ~SpreadsheetService() = default;
    // Opens a finished workbook file in the desktop's spreadsheet program; false when none starts.
    virtual bool open(const QString& workbookPath) = 0;
};

class HelpService {
public:
    virtual ~HelpService() = default;
    // command 1: contents, 2: index. False when the help cannot be shown.
    virtual bool show(const QString& helpFile, int command) = 0;
    // The page a command opens: the help file itself for its contents, the file's "_index" page
    // beside it for its index.
    static QString page(const QString& helpFile, int command);
};

class SystemInfoService {
public:
    virtual ~SystemInfoService() = default;
    // The path of the system-information program, or "" when none is installed.
    virtual QString locate() const = 0;
    virtual bool start(const QString& path) = 0;
};

class ClockService {
public:
    virtual ~ClockService() = default;
    virtual QDateTime now() const = 0;
};

// The installed services. Each getter throws when nothing was installed, so a forgotten
// installation fails loudly instead of silently blocking on a real dialog.
class Seams {
public:
    static MessageService& message();
    static InputService& input();
    static FileDialogService& fileDialogs();
    static BusyPointer& busyPointer();
    static EventPump& events();
    static ClipboardService& clipboard();
    static PrinterService& printers();
    static SpreadsheetService& spreadsheet();
    static HelpService& help();
    static SystemInfoService& systemInfo();
    static ClockService& clock();

    static void install(std::unique_ptr<MessageService> s);
    static void install(std::unique_ptr<InputService> s);
    static void install(std::unique_ptr<FileDialogService> s);
    static void install(std::unique_ptr<BusyPointer> s);
    static void install(std::unique_ptr<EventPump> s);
    static void install(std::unique_ptr<ClipboardService> s);
    static void install(std::unique_ptr<PrinterService> s);
    static void install(std::unique_ptr<SpreadsheetService> s);
    static void install(std::unique_ptr<HelpService> s);
    static void install(std::unique_ptr<SystemInfoService> s);
    static void install(std::unique_ptr<ClockService> s);
    // Removes every service (tests start each case clean).
    static void reset();
};

// Sets the busy pointer for the lifetime of the guard.
class BusyGuard {
public:
    BusyGuard() { Seams::busyPointer().setBusy(true); }
    ~BusyGuard() { Seams::busyPointer().setBusy(false); }
    // Busy again after a window that waited for the user, which clears the pointer while it shows.
    void renew() { Seams::busyPointer().setBusy(true); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
