#pragma once

class DiveComputerDisplay;
class QWidget;

// The face of a model code: 1 and 4 Zento, 2 Lumo, 8 and 16 the air-integrated face, 32 Kobi;
// nullptr for any other code. The face is a child of `parent`, named "DiveComputerDisplay1".
DiveComputerDisplay* createDiveComputerDisplay(int modelCode, QWidget* parent);

// Hands the hosts of a replayed dive this library's faces and floating windows; called once at
// start-up.
void installDiveComputerDisplays();
