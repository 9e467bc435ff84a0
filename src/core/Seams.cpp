#include "Seams.h"

#include <stdexcept>

namespace {
struct Installed {
    std::unique_ptr<MessageService> message;
    std::unique_ptr<InputService> input;
    std::unique_ptr<FileDialogService> fileDialogs;
    std::unique_ptr<BusyPointer> busyPointer;
    std::unique_ptr<EventPump> events;
    std::unique_ptr<ClipboardService> clipboard;
    std::unique_ptr<PrinterService> printers;
    std::unique_ptr<SpreadsheetService> spreadsheet;
    std::unique_ptr<HelpService> help;
    std::unique_ptr<SystemInfoService> systemInfo;
    std::unique_ptr<ClockService> clock;
};

Installed& installed() {
    static Installed services;
    return services;
}

template <typename T> T& get(const std::unique_ptr<T>& service, const char* name) {
    if (!service)
        throw std::logic_error(std::string("service not installed: ") + name);
    return *service;
}
} // namespace

#define SONA_SEAM(Type, member)                                                                                        \
    Type& Seams::member() {                                                                                            \
        return get(installed().member, #member);                                                                       \
    }                                                                                                                  \
    void Seams::install(std::unique_ptr<Type> s) {                                                                     \
        installed().member = std::move(s);                                                                             \
    }

SONA_SEAM(MessageService, message)
SONA_SEAM(InputService, input)
SONA_SEAM(FileDialogService, fileDialogs)
SONA_SEAM(BusyPointer, busyPointer)
SONA_SEAM(EventPump, events)
SONA_SEAM(ClipboardService, clipboard)
SONA_SEAM(PrinterService, printers)
SONA_SEAM(SpreadsheetService, spreadsheet)
SONA_SEAM(HelpService, help)
SONA_SEAM(SystemInfoService, systemInfo)
SONA_SEAM(ClockService, clock)

#undef SONA_SEAM

void Seams::reset() {
    installed() = Installed{};
}

QString HelpService::page(const QString& helpFile, int command) {
    QString page = helpFile;
    if (command == 2)
        page.replace(QLatin1String(".html"), QLatin1String("_index.html"));
    return page;
}
