#include "DownloadGauge.h"

#include <algorithm>

DownloadGauge::DownloadGauge(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    mirror();
}

void DownloadGauge::setMax(int max) {
    m_max = max;
    mirror();
}

void DownloadGauge::setMin(int min) {
    m_min = min;
    mirror();
}

void DownloadGauge::setValue(int value) {
    m_value = value;
    mirror();
}

void DownloadGauge::mirror() {
    const int low = std::min(m_min, m_max);
    const int high = std::max(m_min, m_max);
    setRange(low, high);
    QProgressBar::setValue(std::clamp(m_value, low, high));
}
