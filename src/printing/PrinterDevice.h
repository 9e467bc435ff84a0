#pragma once

#include "PainterDevice.h"

#include <QPainter>
#include <memory>

class QPagedPaintDevice;

// The system printer (or the PDF file that stands for it): a document of pages. A page is begun
// only when something is drawn on it, so a page break at the end of the job leaves no blank sheet.
class PrinterDevice : public PainterDevice {
public:
    explicit PrinterDevice(std::unique_ptr<QPagedPaintDevice> document);
    ~PrinterDevice() override;

    bool isPrinter() const override { return true; }
    double scaleWidth() const override;
    double scaleHeight() const override;
    void newPage() override;
    void endDoc() override;

    // Pages sent so far.
    int pages() const { return m_pages; }

protected:
    QPainter& painter() override;
    QPaintDevice* metricsDevice() const override;

private:
    std::unique_ptr<QPagedPaintDevice> m_document;
    std::unique_ptr<QPainter> m_painter;
    bool m_pageOpen = false;
    int m_pages = 0;
};
