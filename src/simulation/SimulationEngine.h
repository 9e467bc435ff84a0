#pragma once

#include <QString>
#include <memory>

class Dive;
class Profile;

// The live dive without its window: a clock of 5-second ticks, the diver's depth moved by the
// descent and ascent toggles, a sample every fourth tick, and the recorder's play, pause, stop and
// undo with the enabled state of each button. The window's timer calls tick(); a test calls it as
// fast as it likes, so a dive of hours runs in milliseconds.
//
//     SimulationEngine engine(nullptr);          // a new dive of the current model code
//     engine.play();
//     engine.setDescending(true);
//     for (int i = 0; i < 4; ++i)
//         engine.tick();                         // the fourth adds a sample at 5 m
//
// The simulation plays exactly while "play" is disabled. The number of samples is always the
// number of ticks divided by 4.
class SimulationEngine {
public:
    static constexpr int SECONDS_PER_TICK = 5;
    static constexpr int TICKS_PER_SAMPLE = 4;
    static constexpr float MAX_DEPTH = 150.0f;
    // The clock is kept in 16-bit seconds: 6553 ticks (546:05) is the last time it can show.
    static constexpr int MAX_TICKS = 6553;
    static constexpr int MAX_CLOCK_SAMPLES = MAX_TICKS / TICKS_PER_SAMPLE;

    static constexpr int SPEED_MIN = 1;
    static constexpr int SPEED_MAX = 100;
    static constexpr int SPEED_START = 15;
    static constexpr int SCALE_MIN = 100;
    static constexpr int SCALE_MAX = 1000;
    static constexpr int SCALE_STEP = 100;

    enum class Button { Play, Pause, Stop, Undo, Save };

    enum class TickResult {
        Idle,         // paused or stopped: nothing happened
        DepthMoved,   // the clock and the depth moved, no sample
        SampleAdded,  // a sample was added and the profile recomputed
        LimitReached, // the clock or the model holds no more: the simulation paused, nothing moved
    };

    // Opens on `dive`, which is continued from the surface and changed in place; a new dive of the
    // current model code when null. The simulation opens paused.
    explicit SimulationEngine(std::shared_ptr<Dive> dive);
    ~SimulationEngine();
    SimulationEngine(const SimulationEngine&) = delete;
    SimulationEngine& operator=(const SimulationEngine&) = delete;

    std::shared_ptr<Dive> dive() const { return m_dive; }
    Profile& profile() const { return *m_profile; }
    // The profile as the displays hold it.
    std::shared_ptr<Profile> sharedProfile() const { return m_profile; }

    float liveDepth() const { return m_liveDepth; }
    int tickCount() const { return m_tickCount; }
    int samples() const;
    // The most samples this dive can reach: the model's tables and the clock both bound it.
    int sampleCapacity() const;
    // The elapsed time as last shown: "05:35", "125:05". Stop does not refresh it.
    QString elapsedTimeText() const { return m_elapsedText; }
    static QString elapsedTimeText(int ticks);

    bool isPlaying() const { return !m_enabled[index(Button::Play)]; }
    bool isEnabled(Button button) const { return m_enabled[index(button)]; }

    // At most one toggle is down: pressing one releases the other.
    void setDescending(bool down);
    void setAscending(bool down);
    bool isDescending() const { return m_descending; }
    bool isAscending() const { return m_ascending; }

    // Metres per minute.
    void setSpeed(int speed) { m_speed = speed; }
    // The depth one tick moves the diver.
    double depthPerTick() const;

    void setTimeScale(int value) { m_timeScale = value; }
    // Milliseconds between ticks: 1000 at the slowest scale, 100 at the fastest.
    int timerInterval() const { return 1100 - m_timeScale; }

    // "Speed: 15 m./min" in the display unit; the movement itself is always in metres.
    QString speedLabel() const;
    // "Timer: Normal" at the slowest scale, else "Timer: 7x" for 700 to 799.
    QString timeScaleLabel() const;

    TickResult tick();

    // Each returns false and changes nothing when its button is disabled.
    bool play();
    bool pause();
    // Only at the surface: the clock falls back to the last sample.
    bool stop();
    // Takes back the last sample (or the ticks since the start when there is none) and puts the
    // diver at that sample's depth. Recomputes the profile.
    bool undo();

    // A sample moved on the graph: depth in decimetres, step 1 to the number of samples. False and
    // nothing changed for a step or depth out of range. Recomputes the profile.
    bool replaceSample(int step, double depth);

private:
    static int index(Button button) { return int(button); }
    void showElapsedTime() { m_elapsedText = elapsedTimeText(m_tickCount); }
    void setButtons(bool play, bool pause, bool stop, bool undo, bool save);
    // After every change of the samples: the dive's totals, then the profile.
    void recompute();

    std::shared_ptr<Dive> m_dive;
    std::shared_ptr<Profile> m_profile;
    float m_liveDepth = 0;
    int m_tickCount = 0;
    QString m_elapsedText;
    bool m_enabled[5] = {};
    bool m_descending = false;
    bool m_ascending = false;
    int m_speed = SPEED_START;
    int m_timeScale = SCALE_MIN;
};
