#pragma once

// Closes the next preview window shown modally, keeping the page it showed and its job. For tests
// that link the print windows. It looks every few milliseconds, so that a window the job opens
// before the preview shows (the statistics scope question) does not hide the preview from it.

#include "PrinterManager.h"
#include "frmPreview.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

struct PreviewWatcher {
    PreviewWatcher() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* preview = qobject_cast<frmPreview*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            timer.stop();
            shown = true;
            page = preview->pagePicture();
            job = preview->printerManager();
            if (onShown)
                onShown(*preview);
            preview->close();
        });
        timer.start();
    }
    QTimer timer;
    bool shown = false;
    QImage page;
    std::shared_ptr<PrinterManager> job;
    // Runs on the shown preview before it closes.
    std::function<void(frmPreview&)> onShown;
};
