#pragma once

#include <memory>

class Dive;
class Profile;

// What makes a dive fit to be simulated and saved.
namespace SimulatedDive {

// A new air dive of the current model code at the surface: no samples, mixture 21, surface tissue
// loads (26 on each of the eleven compartments for codes 1 and 2, 0.79 on each of the ten for every
// RGBM code: the model is the same for all of them, and an empty load would mean no inert gas).
std::shared_ptr<Dive> create();

// A free-dive series handed in to be continued goes on as a scuba dive: its samples keep their
// depths, lose the free-dive counters, and the dive mode becomes air, so that the profile is stored
// and read back in the scuba layout. Any other dive is left as it is.
void continueAsScuba(Dive& dive);

// The dive time (whole minutes, rounded up) and greatest depth of the samples, kept with every
// change of the samples: the graph spaces its time grid and the printed page reads them.
void keepTotals(Dive& dive);

// Before a save: the deep stops the profile found, and the totals of the samples, so that the
// logbook lists the dive as it was dived.
void prepareForSave(Dive& dive, const Profile& profile);

} // namespace SimulatedDive
