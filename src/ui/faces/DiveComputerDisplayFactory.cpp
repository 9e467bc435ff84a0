#include "DiveComputerDisplayFactory.h"

#include "DisplayKobi.h"
#include "DisplayLumo.h"
#include "DisplayTavex.h"
#include "DisplayZento.h"
#include "FloatingWindows.h"

DiveComputerDisplay* createDiveComputerDisplay(int modelCode, QWidget* parent) {
    const std::optional<ModelCode> model = ModelCodes::model(modelCode);
    if (!model)
        return nullptr;
    DiveComputerDisplay* face = nullptr;
    switch (*model) {
    case ModelCode::dcZento:
    case ModelCode::dcZentoRGBM:
        face = new DisplayZento(*model, parent);
        break;
    case ModelCode::dcLUMO:
        face = new DisplayLumo(parent);
        break;
    case ModelCode::dcTAVEX:
    case ModelCode::dcLumoAir:
        face = new DisplayTavex(*model, parent);
        break;
    case ModelCode::dcKOBI:
        face = new DisplayKobi(parent);
        break;
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
