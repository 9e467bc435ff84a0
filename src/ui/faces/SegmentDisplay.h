#pragma once

#include "DiveComputerDisplay.h"

// The rules shared by the faces drawn as a segment display in two outlined panels (the Zento, Lumo
// and air-integrated families): a stop or no-stop area above, maximum depth, temperature and
// gas readings below. The faces differ in where their elements lie and in the few points below.
class SegmentDisplay : public DiveComputerDisplay {
    Q_OBJECT
public:
    using DiveComputerDisplay::DiveComputerDisplay;

    void resetDisplay() override;
    void updateDisplay(qint16 step) override;

protected:
    // Whether a step off the deep-stop curve shows the deep-stop screen.
    virtual bool hasDeepStopScreen() const = 0;
    // The air-integrated face swaps the two digit fields of its stop screens and shows the time to
    // surface only with decompression.
    virtual bool swapsStopFields() const { return false; }
    // The stop-flag placeholders "st" and "op".
    virtual void showStopFlag() = 0;
    // The first picture of the ascent-rate bar, at level 5.
    virtual int firstAscentPicture() const { return 1; }
    virtual void resetMore(const Dive&, Kind) {}
    virtual void updateMore(qint16, const Dive&) {}

private:
    void showNoDecompression(qint16 step);
    void showDecompression(qint16 step);
    void showStopScreen(const QString& figures, int tip);
};
