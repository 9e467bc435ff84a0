#pragma once

#include <QString>

// Messages of the simulator that the string table has no entry for, in the six languages.
namespace SimulatorTexts {

enum class Text {
    LimitReached,    // the clock or the model holds no more samples
    LogbookNotEmpty, // "|1": the logbook's name
    NotSaved,        // follows the report of a refused row
};

// In the current language; English when the language cannot be told.
QString text(Text id);

} // namespace SimulatorTexts
