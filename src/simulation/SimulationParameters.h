#pragma once

#include <QStringList>

class Dive;

// The gas and altitude settings of a simulated dive as the parameters dialog shows them, read from
// a dive and written back to it.
struct SimulationParameters {
    static constexpr int MIXTURE_MIN = 21;
    static constexpr int MIXTURE_MAX = 50;
    static constexpr int MIXTURE_START = 32;
    static constexpr int PPO2_START_INDEX = 2;
    // The choices of maximum oxygen pressure, in bar, as the list shows them.
    static QStringList ppo2Entries();

    bool nitrox = true;
    int mixture = MIXTURE_START;
    int ppo2Index = PPO2_START_INDEX;
    int altitude = 0;

    // The dialog's choices for `dive`. A value the dialog has no place for (a dive continued from
    // the logbook may carry one) is shown at the nearest choice: the mixture within 21 to 50, the
    // PPO2 at the nearest entry; an altitude outside 0 to 3 leaves P0.
    static SimulationParameters fromDive(const Dive& dive);

    // Writes the choices into `dive`: nitrox with its mixture and PPO2, or air (mixture 21, the
    // PPO2 left as it was), and the altitude program.
    void applyTo(Dive& dive) const;

    // The list entry nearest to a PPO2 kept in bar (1.4) or in tenths of a bar (14).
    static int ppo2IndexOf(float ppo2);
};
