#pragma once

#include "SegmentDisplay.h"

// The face of the air-integrated models: the Zento rules, with the tank pressure, the breathing
// rate and the tank volume, the dive violations as crosses in a small frame, and the two digit
// fields of the stop screens the other way round.
class DisplayTavex : public SegmentDisplay {
    Q_OBJECT
public:
    // `model` is the Tavex or the Lumo Air.
    explicit DisplayTavex(ModelCode model, QWidget* parent = nullptr);

    void setIcon(qint16 ascentIcon, qint16 decoStopIcon) override;

protected:
    bool hasDeepStopScreen() const override;
    bool swapsStopFields() const override { return true; }
    void showStopFlag() override;
    int firstAscentPicture() const override { return 12; }
    void resetMore(const Dive& dive, Kind kind) override;
    void updateMore(qint16 step, const Dive& dive) override;
};
