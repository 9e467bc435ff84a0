#pragma once

#include "DecoModel.h"
#include "Numeric.h"

#include <QString>
#include <array>
#include <cmath>
#include <vector>

// The sample pass both decompression models share and the results they hand out by step: oxygen
// exposure and CNS, the safety-stop count, the ceiling-level step and the tissue snapshot around a
// projection. A model brings its compartments, its gas and its stop and no-stop calculations.
//
// Results live in per-step tables that keep their values from one computation to the next, as do
// the safety count and the last ascent duration: the simulator recomputes a growing dive on the
// same object and reads what the earlier passes left.
class DecoModelBase : public DecoModel {
public:
    std::shared_ptr<Dive> getCurrentDive() const override;
    QList<qint16> getTissue(qint16 iStep) const override;
    qint16 getTissueNumber() const override { return qint16(m_compartments); }
    float getMaxDepth(qint16 iStep) const override;
    qint16 getSafetyTime(qint16 iStep) const override;
    qint16 getCNS(qint16 iStep) const override;
    qint16 getDecoFlag(qint16 iStep) const override;
    qint16 getNoDecTime(qint16 iStep) const override;
    qint16 getDecoTime(qint16 iStep) const override;
    qint16 getAscentTime(qint16 iStep) const override;
    qint16 getTappa(qint16 iStep) const override;
    qint16 getMaxVelocity(qint16 iStep) const override;
    float getDepth(qint16 iStep) const override;
    void setSimulationMode(bool simulation) override { m_simulation = simulation; }
    bool isSimulationMode() const override { return m_simulation; }
    bool wasElaborated() const override { return m_elaborated; }
    void setPreviousDives(const QList<std::shared_ptr<Dive>>& prevDives) override { m_previousDives = prevDives; }
    void setCurrentDive(std::shared_ptr<Dive> crntDive) override { m_dive = std::move(crntDive); }

    // The CNS shown for a running CNS percentage: 0 up to 2.5, then the next multiple of 5 above
    // the rounded value, 120 above 120.
    static float cnsDisplayValue(float cnsLoad);
    // Minutes of exposure that make a full CNS dose at an oxygen partial pressure of 0.5 to 1.7 bar.
    static int getCnsLimitMinutes(float ppo2);

protected:
    static constexpr int MAX_COMPARTMENTS = 11;
    static constexpr qint16 MAX_CEILING_LEVEL = 8;

    // One result per sample step; a step outside the table raises RuntimeError 9.
    template <typename T> class StepArray {
    public:
        StepArray(int steps, const QString& source) : m_values(size_t(steps)), m_source(source) {}
        T& at(int step) {
            check(step);
            return m_values[size_t(step)];
        }
        T at(int step) const {
            check(step);
            return m_values[size_t(step)];
        }

    private:
        void check(int step) const {
            if (step < 0 || size_t(step) >= m_values.size())
                throw RuntimeError::subscript(m_source);
        }
        std::vector<T> m_values;
        QString m_source;
    };

    DecoModelBase(int compartments, int lastStep, const char* className);

    // Loads the dive's inputs and runs both passes; a dive holding more samples than the tables
    // fails with RuntimeError 9 and leaves the steps already written.
    void compute() override = 0;

    // The shared pass over sample i at depth d (metres); the hooks below are the model's steps.
    void computeSample(int i, float d);
    // Inspired inert-gas pressure of the sample and whatever else the model works out before the tissues.
    virtual void prepareSample(int i, float d) = 0;
    // Advances the loads by one sample and writes the step's percentages. Every sample loads the
    // tissues, whatever an earlier computation found at that step: the same dive always gives the
    // same loads, in the simulator as when it is shown later.
    virtual void updateTissues(int i, float d) = 0;
    virtual bool isDeeperThanStop(float d) const = 0;
    virtual void projectAscentToStop(float d) = 0;
    // Starts from the saved loads; the no-stop minutes, at most 99.
    virtual qint16 computeNoDecoTime(float d) = 0;
    // Writes the step's stop time, stop level and ascent time, then restores the saved loads.
    virtual void computeDecoSchedule(int i, float d) = 0;

    // First pass, sample i: its depth, recorded ascent rate and the running maximum of the depths.
    void storeSample(const Dive& dive, int i, float& maxDepth);
    // Oxygen percentage of the dive's gas and its CNS at the start.
    void startExposure(qint16 oxygenPercent, float startCNS);
    void updateOxygenExposure(int i, float d);
    void countSafetyStop(int i, float d);
    void updateCeilingLevel();
    float limit(int j, float level) const { return m_limitA[size_t(j)] + level * m_limitB[size_t(j)]; }
    // Bit j set where compartment j is at or above its limit at `level`.
    quint32 blockingAt(float level) const;
    void saveTissues() { m_savedLoad = m_tissueLoad; }
    void restoreTissues() { m_tissueLoad = m_savedLoad; }
    float* tissuePercentRow(int step) {
        if (step < 0 || step > m_lastStep)
            failCompute();
        return m_tissuePercentAt.data() + size_t(step) * size_t(m_compartments);
    }
    // num::toInt16 and num::toInt32 for the values worked out at every sample: the same rounding,
    // half to even, and the same overflow error, without the call when the value fits.
    static qint16 roundToInt16(double v) {
        const double rounded = std::nearbyint(v);
        return std::abs(rounded) < 32768 ? qint16(rounded) : num::toInt16(v);
    }
    static qint32 roundToInt32(double v) {
        const double rounded = std::nearbyint(v);
        return std::abs(rounded) < 2147483648.0 ? qint32(rounded) : num::toInt32(v);
    }
    // The step checked against the result tables, for the getter `member`.
    int checkedStep(qint16 iStep, const char* member) const;
    // The dive to compute; RuntimeError 91 when none was given.
    const Dive& currentDive() const;
    // RuntimeError 9 for a step past the result tables while computing.
    [[noreturn]] void failCompute() const;

    const int m_compartments;
    const int m_lastStep;
    const QString m_className;

    std::shared_ptr<Dive> m_dive;
    QList<std::shared_ptr<Dive>> m_previousDives; // kept for the hosts, never read
    bool m_simulation = false;
    bool m_elaborated = false;

    std::array<float, MAX_COMPARTMENTS> m_tissueLoad{};
    std::array<float, MAX_COMPARTMENTS> m_savedLoad{};
    // The blocking flags, bit j for compartment j.
    quint32 m_blocking = 0;
    // Bit j for each compartment j of the model, 0 for a slot it leaves unused.
    std::array<quint32, MAX_COMPARTMENTS> m_slotBit{};
    // The limit of compartment j at stop level L is a_j + L x b_j.
    std::array<float, MAX_COMPARTMENTS> m_limitA{};
    std::array<float, MAX_COMPARTMENTS> m_limitB{};
    float m_cnsLoad = 0;
    qint16 m_oxygenPercent = 21;
    qint16 m_ceilingLevel = 0;
    qint16 m_ascentMinutes = 0;
    bool m_safetyArmed = false;
    qint16 m_safetyCounter = 0;

    StepArray<float> m_depthAt;
    StepArray<qint16> m_vRisAt;
    StepArray<float> m_maxDepthAt;
    StepArray<float> m_cnsDisplayAt;
    StepArray<qint16> m_decoFlagAt;
    StepArray<qint16> m_noDecoAt;
    StepArray<qint16> m_decoTimeAt;
    StepArray<qint16> m_ascentTimeAt;
    StepArray<qint16> m_stopLevelAt;
    StepArray<qint16> m_safetyAt;

private:
    std::vector<float> m_tissuePercentAt; // step-major: the compartments of one step side by side
};
