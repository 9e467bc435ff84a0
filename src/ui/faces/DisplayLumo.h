#pragma once

#include "SegmentDisplay.h"

// The face of the Lumo model: depth and dive minute above the stop area, maximum depth,
// temperature and the lower time field below; no deep-stop screen.
class DisplayLumo : public SegmentDisplay {
    Q_OBJECT
public:
    explicit DisplayLumo(QWidget* parent = nullptr);

protected:
    bool hasDeepStopScreen() const override { return false; }
    void showStopFlag() override;
};
