#pragma once

#include "DecoModelBase.h"

#include <limits>

// The 11-compartment nitrogen model of the Zento and Lumo, in feet of sea water: limits M0 + level x
// dM per 10-ft stop, no-stop and stop times found by stepping time in 10-minute and 1-minute steps.
// Holds results for steps 0 to 901, so dives of up to 900 samples.
class ProfileZento : public DecoModelBase {
public:
    static constexpr int COMPARTMENTS = 11;
    static constexpr int LAST_STEP = 901;

    ProfileZento();

    qint16 getVerticalDeep(qint16 iStep) const override;
    qint16 getDeepStop1() const override { return -1; }
    qint16 getDeepStop2() const override { return -1; }
    void compute() override;

protected:
    void prepareSample(int i, float d) override;
    void updateTissues(int i, float d) override;
    bool isDeeperThanStop(float d) const override;
    void projectAscentToStop(float d) override;
    qint16 computeNoDecoTime(float d) override;
    void computeDecoSchedule(int i, float d) override;

private:
    // The last whole minute at which the factor of compartment j is still above r, stepping time by
    // 10 minutes, then back one step and on by 1 minute. The no-stop search gives up once it passes
    // the smallest time found so far and lowers that time when it finds a smaller one; the stop
    // search, at a stop `level`, has no bound.
    void searchNoDecoTime(int j, float r, qint16& noDecoMinutes);
    int searchTimeToLimit(int j, int level, float r);

    double m_nitrogenFraction = 0.79;
    qint16 m_altitude = 0;
    float m_feet = 0;
    float m_inspiredN2 = 0;
    float m_ead = 0;
    float m_meanInspiredN2 = 0;
    qint16 m_noDecoMinutes = 0;
    // For each compartment, the load at depth that arrives at the surface exactly at its surface
    // limit, with the mean inspired nitrogen and ascent minutes it was worked out for.
    std::array<float, COMPARTMENTS> m_surfacingLoad{};
    float m_surfacingMean = std::numeric_limits<float>::quiet_NaN();
    qint16 m_surfacingAscent = 0;
    // The inspired nitrogen at each stop level, for the dive's gas.
    std::array<float, MAX_CEILING_LEVEL + 1> m_stopN2{};
    // The last search result for each stop level (0: the no-stop time) and compartment, where the
    // next search starts walking.
    std::array<std::array<int, COMPARTMENTS>, MAX_CEILING_LEVEL + 1> m_searchHint{};
};
