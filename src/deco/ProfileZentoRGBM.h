#pragma once

#include "DecoModelBase.h"

// The 10-compartment RGBM nitrogen model in bar of the Zento RGBM, Tavex, Lumo Air and Kobi. The
// limits of the faster compartments are reduced by the diver's repetitive-dive history (dive days,
// surface interval, a dive deeper than the one before) and scaled by the personal factor; stop and
// no-stop times are solved in closed form. It also marks deep stops (worked out from the mean depth
// when simulating, the dive's recorded ones otherwise) and hands out the tank values of the
// air-integrated models. Holds results for steps 0 to 3001, so dives of up to 3000 samples.
class ProfileZentoRGBM : public DecoModelBase {
public:
    static constexpr int COMPARTMENTS = 10;
    static constexpr int LAST_STEP = 3001;

    ProfileZentoRGBM();

    qint16 getVerticalDeep(qint16 iStep) const override;
    // Bar, as the dive's misc values count down from the start pressure.
    qint16 getProgressiveTankPressure(qint16 iStep) const override;
    qint16 getTankConsuption(qint16 iStep) const override;
    qint16 getDeepStop1() const override;
    qint16 getDeepStop2() const override;
    void compute() override;

protected:
    void prepareSample(int i, float d) override;
    void updateTissues(int i, float d) override;
    bool isDeeperThanStop(float d) const override;
    void projectAscentToStop(float d) override;
    qint16 computeNoDecoTime(float d) override;
    void computeDecoSchedule(int i, float d) override;

private:
    static constexpr int MAX_DEEP_STOPS = 6;

    // The first pass over the samples, with the tank pressure and consumption of every step.
    void storeSamplesAndTank(const Dive& dive, int samples);
    // Sets the step's deep-stop marker, recomputing the deep stops when simulating.
    void markDeepStop(int i, float d);

    StepArray<qint16> m_deepMarkAt;
    StepArray<float> m_tankPressureAt;
    StepArray<float> m_tankUseAt;

    // Dive inputs.
    qint16 m_altitude = 0;
    qint16 m_personalFactor = 0;
    double m_nitrogenFraction = 0.79;
    float m_previousMeanDepth = 0;
    float m_surfaceInterval = 0;
    qint16 m_diveDays = 0;
    qint16 m_recordedDeepStop1 = 0;
    qint16 m_recordedDeepStop2 = 0;
    bool m_salt = false;
    float m_startTankPressure = 0;
    float m_stopTankPressure = 0;

    // Limits and the repetitive-dive factors.
    float m_surfacePressure = 1;
    std::array<float, COMPARTMENTS> m_personalLimit{};
    std::array<float, COMPARTMENTS> m_reduction{};
    float m_daysFactor = 1;
    float m_intervalFactor = 1;
    float m_reverseWeight = 0; // kept from one computation to the next
    float m_reverseFactor = 1;
    float m_combinedFactor = 1;
    float m_reverseMeanDepth = 0; // the mean depth m_reverseFactor was last worked out for
    float m_reducedFor = 0;       // the combined factor the limits were last reduced by

    float m_inspiredN2 = 0;
    // The inspired nitrogen at each stop level, for the dive's gas.
    std::array<float, MAX_CEILING_LEVEL + 1> m_stopN2{};
    // The last minutes solved for each stop level (0: the no-stop time) and compartment; a guess
    // that the next solution checks before it takes a logarithm.
    std::array<std::array<int, COMPARTMENTS>, MAX_CEILING_LEVEL + 1> m_minutesHint{};
    float m_depthSum = 0;
    int m_deepSamples = 0;
    float m_meanDepth = 0;

    // Deep stops: the dive's recorded ones, or those worked out for the mean depth and level.
    int m_recordedDeepStops = 0;
    std::array<qint16, MAX_DEEP_STOPS> m_deepStop{};
    int m_deepStops = 0;
    float m_deepStopMean = 0;
    qint16 m_previousLevel = 0;
};
