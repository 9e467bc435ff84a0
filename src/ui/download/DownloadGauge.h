#pragma once

#include "DownloadProgress.h"

#include <QProgressBar>

// The download window's progress bar, as the drivers move it. It keeps the numbers the drivers
// set, whatever the bar can show, so that a driver's "value + 1" always counts from what it set.
class DownloadGauge : public QProgressBar, public DownloadProgress {
    Q_OBJECT
public:
    explicit DownloadGauge(QWidget* parent = nullptr);

    void setMax(int max) override;
    int max() const override { return m_max; }
    void setMin(int min) override;
    int min() const override { return m_min; }
    void setValue(int value) override;
    int value() const override { return m_value; }

private:
    void mirror();

    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};
