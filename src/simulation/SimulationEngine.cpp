#include "SimulationEngine.h"

#include "Dive.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Profile.h"
#include "ProfileZento.h"
#include "ProfileZentoRGBM.h"
#include "Settings.h"
#include "SimulatedDive.h"

#include <algorithm>

SimulationEngine::SimulationEngine(std::shared_ptr<Dive> dive) : m_dive(std::move(dive)) {
    if (!m_dive)
        m_dive = SimulatedDive::create();
    else
        SimulatedDive::continueAsScuba(*m_dive);
    m_profile = std::make_shared<Profile>();
    m_profile->setCurrentDive(m_dive);
    m_profile->setSimulationMode(true);
    recompute();
    m_tickCount = TICKS_PER_SAMPLE * samples();
    showElapsedTime();
    const bool hasSamples = samples() > 0;
    setButtons(true, false, false, hasSamples, hasSamples);
}

SimulationEngine::~SimulationEngine() = default;

int SimulationEngine::samples() const {
    return m_dive->getSamplesCount();
}

int SimulationEngine::sampleCapacity() const {
    const qint32 model = Settings::instance().currentDiveComputer();
    const int modelSteps = ModelCodes::hasElevenTissues(model) ? ProfileZento::LAST_STEP : ProfileZentoRGBM::LAST_STEP;
    // The model also answers for the step after the last sample.
    return std::min(modelSteps - 1, MAX_CLOCK_SAMPLES);
}

QString SimulationEngine::elapsedTimeText(int ticks) {
    const int seconds = ticks * SECONDS_PER_TICK;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void SimulationEngine::setDescending(bool down) {
    m_descending = down;
    if (down)
        m_ascending = false;
}

void SimulationEngine::setAscending(bool down) {
    m_ascending = down;
    if (down)
        m_descending = false;
}

double SimulationEngine::depthPerTick() const {
    return m_speed <= 0 ? 1.0 : m_speed / 12.0;
}

QString SimulationEngine::speedLabel() const {
    const Internationalization& units = Internationalization::instance();
    return getString(1859) + QStringLiteral(": ") + num::singleToText(units.getDepthValue(float(m_speed))) + u' ' +
           units.getDepthString() + QStringLiteral("/min");
}

QString SimulationEngine::timeScaleLabel() const {
    const QString timer = getString(1871) + QStringLiteral(": ");
    if (m_timeScale <= SCALE_MIN)
        return timer + getString(1868);
    return timer + QString::number(m_timeScale / SCALE_STEP) + u'x';
}

SimulationEngine::TickResult SimulationEngine::tick() {
    if (!isPlaying())
        return TickResult::Idle;
    const int next = m_tickCount + 1;
    if (next > MAX_TICKS || (next % TICKS_PER_SAMPLE == 0 && samples() >= sampleCapacity())) {
        pause();
        return TickResult::LimitReached;
    }

    m_tickCount = next;
    if (m_descending)
        m_liveDepth = std::min(float(m_liveDepth + depthPerTick()), MAX_DEPTH);
    else if (m_ascending)
        m_liveDepth = std::max(float(m_liveDepth - depthPerTick()), 0.0f);
    showElapsedTime();

    TickResult result = TickResult::DepthMoved;
    if (m_tickCount % TICKS_PER_SAMPLE == 0) {
        m_dive->addSample(double(m_liveDepth * 10.0f), 0, 0, 0);
        recompute();
        result = TickResult::SampleAdded;
    }
    m_enabled[index(Button::Stop)] = m_liveDepth == 0.0f;
    return result;
}

void SimulationEngine::recompute() {
    SimulatedDive::keepTotals(*m_dive);
    m_profile->compute();
}

void SimulationEngine::setButtons(bool play, bool pause, bool stop, bool undo, bool save) {
    m_enabled[index(Button::Play)] = play;
    m_enabled[index(Button::Pause)] = pause;
    m_enabled[index(Button::Stop)] = stop;
    m_enabled[index(Button::Undo)] = undo;
    m_enabled[index(Button::Save)] = save;
}

bool SimulationEngine::play() {
    if (!isEnabled(Button::Play))
        return false;
    setButtons(false, true, m_liveDepth == 0.0f, false, false);
    return true;
}

bool SimulationEngine::pause() {
    if (!isEnabled(Button::Pause))
        return false;
    setButtons(true, false, m_liveDepth == 0.0f, true, samples() > 0);
    return true;
}

bool SimulationEngine::stop() {
    if (!isEnabled(Button::Stop))
        return false;
    m_tickCount = m_tickCount / TICKS_PER_SAMPLE * TICKS_PER_SAMPLE;
    setButtons(true, false, false, true, true);
    return true;
}

bool SimulationEngine::undo() {
    if (!isEnabled(Button::Undo))
        return false;
    if (m_tickCount < TICKS_PER_SAMPLE) {
        m_tickCount = 0;
        m_liveDepth = 0;
    } else {
        m_tickCount -= TICKS_PER_SAMPLE;
        const int n = samples();
        if (n > 0) {
            // As the sample holds it: a continued dive may have gone deeper than the simulator does.
            m_liveDepth = m_dive->getSampleDepth(n);
            m_dive->removeSample(n);
        }
    }
    showElapsedTime();
    recompute();
    m_enabled[index(Button::Save)] = samples() > 0;
    return true;
}

bool SimulationEngine::replaceSample(int step, double depth) {
    if (step < 1 || step > samples() || !(depth >= 0 && depth <= MAX_DEPTH * 10))
        return false;
    m_dive->setSample(step, depth, 0, 0, 0);
    recompute();
    return true;
}
