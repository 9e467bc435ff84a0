#pragma once

#include "Seams.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

// Scripted stand-ins for every service: they record what was asked and answer from queues.

struct ShownMessage {
    QString text;
    int flags;
    QString title;
};

class FakeMessageService : public MessageService {
public:
    int show(const QString& text, int flags, const QString& title) override;
    // Answers for the next boxes, in order. A box without a queued answer is answered Ok, counted as
    // unexpected and fails the test, unless the test reads every box it gets from `shown` and says
    // so by clearing `failOnUnexpected`.
    QQueue<int> answers;
    QList<ShownMessage> shown;
    // Runs as each box is shown, before it is answered (a test can change the world meanwhile).
    std::function<void(const ShownMessage&)> onShow;
    int unexpected = 0;
    bool failOnUnexpected = true;
};

class FakeInputService : public InputService {
public:
    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override;
    QQueue<QString> answers;
    QStringList prompts;
};

class FakeFileDialogService : public FileDialogService {
public:
    QString openFile(const QString& title, const QString& filter) override;
    QString saveFile(const QString& title, const QString& filter, const QString& suggestedName) override;
    bool chooseColor(QColor& color) override;
    bool chooseFont(QFont& font) override;
    QQueue<QString> files; // "" answers as cancelled
    QQueue<QColor> colors; // invalid answers as cancelled
    QQueue<QFont> fonts;
};

class FakeBusyPointer : public BusyPointer {
public:
    void setBusy(bool on) override {
        busy = on;
        ++changes;
    }
    bool busy = false;
    int changes = 0;
};

class FakeEventPump : public EventPump {
public:
    void processEvents() override;
    int calls = 0;
    // Runs on every call (a test can press Cancel in the middle of a transfer, say).
    std::function<void()> onProcess;
};

class FakeClipboard : public ClipboardService {
public:
    void setText(const QString& text) override { content = text; }
    QString text() const override { return content; }
    QString content;
};

class FakePrinterService : public PrinterService {
public:
    QStringList printerNames() const override { return names; }
    QString defaultPrinterName() const override { return names.value(0); }
    QString currentPrinterName() const override { return chosen.isEmpty() ? names.value(0) : chosen; }
    void setCurrentPrinter(const QString& name) override { chosen = name; }
    int orientation() const override { return names.isEmpty() ? 0 : current; }
    void setOrientation(int orientation) override;
    // Letter paper in the current orientation, quarter-inch margins.
    QPageLayout pageLayout() const override;
    // A PDF file at pdfPath; nullptr (the user cancelled) while pdfPath is empty.
    std::unique_ptr<QPagedPaintDevice> openDocument() override;
    void showSetup() override { ++setups; }
    QStringList names{QStringLiteral("Test printer")};
    int current = 1;
    bool refuses = false; // the driver keeps its orientation
    QString chosen;
    QString pdfPath;
    int documents = 0;
    int setups = 0;
};

class FakeSpreadsheetService : public SpreadsheetService {
public:
    bool open(const QString& workbookPath) override;
    bool available = true;
    QStringList opened;
};

class FakeHelpService : public HelpService {
public:
    bool show(const QString& helpFile, int command) override;
    QList<QPair<QString, int>> requests;
    bool opens = true; // false: no viewer, or no such file
};

class FakeSystemInfoService : public SystemInfoService {
public:
    QString locate() const override { return path; }
    bool start(const QString& p) override;
    QString path;
    QStringList started;
};

class FakeClock : public ClockService {
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 1, 15), QTime(10, 30)};
};

// Installs a fresh fake of every service; the pointers stay owned by Seams.
struct FakeSeams {
    FakeMessageService* message;
    FakeInputService* input;
    FakeFileDialogService* fileDialogs;
    FakeBusyPointer* busyPointer;
    FakeEventPump* events;
    FakeClipboard* clipboard;
    FakePrinterService* printers;
    FakeSpreadsheetService* spreadsheet;
    FakeHelpService* help;
    FakeSystemInfoService* systemInfo;
    FakeClock* clock;

    static FakeSeams install();
};
