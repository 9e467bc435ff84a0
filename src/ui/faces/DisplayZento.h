#pragma once

#include "SegmentDisplay.h"

// The face of the Zento and Zento RGBM models: depth and dive minute above, the stop area in the
// middle, maximum depth, temperature, the lower time field and the gas below.
class DisplayZento : public SegmentDisplay {
    Q_OBJECT
public:
    // `model` is the Zento or the Zento RGBM.
    explicit DisplayZento(ModelCode model, QWidget* parent = nullptr);

protected:
    bool hasDeepStopScreen() const override;
    void showStopFlag() override;
};
