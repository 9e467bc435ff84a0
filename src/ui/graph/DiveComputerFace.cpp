#include "DiveComputerFace.h"

namespace {
Faces::Factory& installed() {
    static Faces::Factory factory;
    return factory;
}
} // namespace

void Faces::setFactory(Factory factory) {
    installed() = std::move(factory);
}

std::unique_ptr<DiveComputerFace> Faces::create(qint32 modelCode, QWidget* parent) {
    const Factory& factory = installed();
    return factory ? factory(modelCode, parent) : nullptr;
}
