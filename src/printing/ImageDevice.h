#pragma once

#include "PainterDevice.h"

#include <QImage>
#include <QPainter>
#include <memory>

// The preview's page picture: a white image at 96 dots per inch (15 twips a dot) the size it is
// given (the paper). It keeps everything drawn on it; pages drawn one after another overlap.
class ImageDevice : public PainterDevice {
public:
    ImageDevice(double widthTwips, double heightTwips);
    ~ImageDevice() override;

    bool isPrinter() const override { return false; }
    double scaleWidth() const override { return m_widthTwips; }
    double scaleHeight() const override { return m_heightTwips; }
    void newPage() override {}
    void endDoc() override {}

    // What has been drawn so far.
    const QImage& image();

protected:
    QPainter& painter() override;
    QPaintDevice* metricsDevice() const override { return const_cast<QImage*>(&m_image); }

private:
    double m_widthTwips;
    double m_heightTwips;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
};
