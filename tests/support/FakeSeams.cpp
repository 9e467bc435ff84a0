#include "FakeSeams.h"

#include "RuntimeError.h"

#include <QPdfWriter>
#include <QTest>

int FakeMessageService::show(const QString& text, int flags, const QString& title) {
    shown.append({text, flags, title});
    if (onShow)
        onShow(shown.last());
    if (answers.isEmpty()) {
        ++unexpected;
        if (failOnUnexpected)
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__, __LINE__);
        return Msg::Ok;
    }
    return answers.dequeue();
}

QString FakeInputService::ask(const QString& prompt, const QString&, const QString&) {
    prompts.append(prompt);
    return answers.isEmpty() ? QString() : answers.dequeue();
}

QString FakeFileDialogService::openFile(const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}

QString FakeFileDialogService::saveFile(const QString&, const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}

bool FakeFileDialogService::chooseColor(QColor& color) {
    if (colors.isEmpty() || !colors.head().isValid()) {
        if (!colors.isEmpty())
            colors.dequeue();
        return false;
    }
    color = colors.dequeue();
    return true;
}

bool FakeFileDialogService::chooseFont(QFont& font) {
    if (fonts.isEmpty())
        return false;
    font = fonts.dequeue();
    return true;
}

void FakeEventPump::processEvents() {
    ++calls;
    if (onProcess)
        onProcess();
}

void FakePrinterService::setOrientation(int orientation) {
    if (names.isEmpty())
        throw RuntimeError(482, QStringLiteral("Printer"), QStringLiteral("Printer error"));
    if (!refuses)
        current = orientation;
}

QPageLayout FakePrinterService::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::Letter), current == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(18, 18, 18, 18));
}

std::unique_ptr<QPagedPaintDevice> FakePrinterService::openDocument() {
    if (pdfPath.isEmpty())
        return nullptr;
    ++documents;
    auto writer = std::make_unique<QPdfWriter>(pdfPath);
    writer->setResolution(600);
    writer->setPageLayout(pageLayout());
    return writer;
}

bool FakeSpreadsheetService::open(const QString& workbookPath) {
    if (!available)
        return false;
    opened.append(workbookPath);
    return true;
}

bool FakeHelpService::show(const QString& helpFile, int command) {
    requests.append({helpFile, command});
    return opens;
}

bool FakeSystemInfoService::start(const QString& p) {
    started.append(p);
    return true;
}

FakeSeams FakeSeams::install() {
    FakeSeams f{};
    auto add = [](auto*& slot, auto service) {
        slot = service.get();
        Seams::install(std::move(service));
    };
    add(f.message, std::make_unique<FakeMessageService>());
    add(f.input, std::make_unique<FakeInputService>());
    add(f.fileDialogs, std::make_unique<FakeFileDialogService>());
    add(f.busyPointer, std::make_unique<FakeBusyPointer>());
    add(f.events, std::make_unique<FakeEventPump>());
    add(f.clipboard, std::make_unique<FakeClipboard>());
    add(f.printers, std::make_unique<FakePrinterService>());
    add(f.spreadsheet, std::make_unique<FakeSpreadsheetService>());
    add(f.help, std::make_unique<FakeHelpService>());
    add(f.systemInfo, std::make_unique<FakeSystemInfoService>());
    add(f.clock, std::make_unique<FakeClock>());
    return f;
}
