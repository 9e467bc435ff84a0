#pragma once

#include "DiveComputerDisplay.h"

#include <QPainterPath>

// The face of the Kobi model, laid over a drawing of the device: two buttons switch between depth
// and maximum depth and between dive time and temperature; free-dive series show the minutes and
// seconds of each dive and its number in the series.
class DisplayKobi : public DiveComputerDisplay {
    Q_OBJECT
public:
    explicit DisplayKobi(QWidget* parent = nullptr);

    void resetDisplay() override;
    void updateDisplay(qint16 step) override;
    void updateDepth(float depth) override;

    // Where the device's display shows, inside the frame of its glass (pixels).
    static QPainterPath displayArea();

    bool temperatureToggle() const { return m_temperatureToggle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void imgTopRedButton_Click();
    void imgBottomRedButton_Click();
    void showDeepStop(bool show, Kind kind);
    void showDeepStopScreen(qint16 step, Kind kind);
    QString deepStopText(qint16 step) const;
    QString getVelocityGlyph(qint16 step, Kind kind);
    QString temperatureText(const Dive& dive) const;
    int lowerLeftRoom() const;
    int lowerRightRoom() const;

    qint16 m_step = 0;
    quint8 m_ascentLevel = 0;
    qint32 m_freeDiveTime = 0;
    QString m_depthText;
    QString m_liveDepthText;
    bool m_maxDepthToggle = false;
    bool m_temperatureToggle = false;
};
