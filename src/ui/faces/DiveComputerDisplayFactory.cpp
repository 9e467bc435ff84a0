#include "DiveComputerDisplayFactory.h"

#include "DisplayKobi.h"
#include "DisplayLumo.h"
#include "DisplayTavex.h"
#include "DisplayZento.h"
#include "FloatingWindows.h"

DiveComputerDisplay* createDiveComputerDisplay(int modelCode, QWidget* parent) {
    DiveComputerDisplay* face = nullptr;
    switch (modelCode) {
    case 1:
    case 4:
        face = new DisplayZento(parent);
        break;
    case 2:
        face = new DisplayLumo(parent);
        break;
    case 8:
    case 16:
        face = new DisplayTavex(parent);
        break;
    case 32:
        face = new DisplayKobi(parent);
        break;
    default:
        return nullptr;
    }
    face->setObjectName(QStringLiteral("DiveComputerDisplay1"));
    return face;
}

void installDiveComputerDisplays() {
    Faces::setFactory([](qint32 modelCode, QWidget* parent) {
        return std::unique_ptr<DiveComputerFace>(createDiveComputerDisplay(modelCode, parent));
    });
    Floating::install(std::make_unique<FloatingWindows>());
}
