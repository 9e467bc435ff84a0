#include "SimulatorTexts.h"

#include "RuntimeError.h"
#include "Settings.h"

namespace SimulatorTexts {

namespace {
// Languages in the order of their string-table offsets: Italian, English, French, German,
// Portuguese, Spanish.
constexpr int LANGUAGES = 6;
constexpr int ENGLISH = 1;

const char* const TEXTS[][LANGUAGES] = {
    {
        "La simulazione ha raggiunto la durata massima ed è in pausa. Salvala o annulla gli ultimi passi.",
        "The simulation has reached its longest possible duration and is paused. Save it or undo the last steps.",
        "La simulation a atteint sa durée maximale et est en pause. Enregistrez-la ou annulez les derniers pas.",
        "Die Simulation hat ihre größte Dauer erreicht und ist angehalten. Speichern Sie sie oder nehmen Sie "
        "die letzten Schritte zurück.",
        "A simulação atingiu a duração máxima e está em pausa. Guarde-a ou anule os últimos passos.",
        "La simulación ha alcanzado su duración máxima y está en pausa. Guárdela o deshaga los últimos pasos.",
    },
    {
        "Il logbook |1 contiene delle immersioni e non può essere cancellato qui.",
        "The logbook |1 holds dives and cannot be deleted here.",
        "Le carnet |1 contient des plongées et ne peut pas être supprimé ici.",
        "Das Logbuch |1 enthält Tauchgänge und kann hier nicht gelöscht werden.",
        "O logbook |1 contém mergulhos e não pode ser apagado aqui.",
        "El logbook |1 contiene inmersiones y no se puede borrar aquí.",
    },
    {
        "L'immersione simulata non è stata salvata.",
        "The simulated dive was not saved.",
        "La plongée simulée n'a pas été enregistrée.",
        "Der simulierte Tauchgang wurde nicht gespeichert.",
        "O mergulho simulado não foi guardado.",
        "La inmersión simulada no se ha guardado.",
    },
};

int language() {
    try {
        const int index = Settings::instance().languageResourceOffset() / 10000;
        return index >= 0 && index < LANGUAGES ? index : ENGLISH;
    } catch (const RuntimeError&) {
        return ENGLISH;
    }
}
} // namespace

QString text(Text id) {
    return QString::fromUtf8(TEXTS[int(id)][language()]);
}

} // namespace SimulatorTexts
