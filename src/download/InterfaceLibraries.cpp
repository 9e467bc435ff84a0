#include "InterfaceLibraries.h"

#include "EmulatedB330Library.h"
#include "EmulatedB770Library.h"
#include "EmulatedZentoLibrary.h"

namespace {
std::unique_ptr<ZentoLibrary> zentoLibrary;
std::unique_ptr<B330Library> b330Library;
std::unique_ptr<B770Library> b770Library;
} // namespace

ZentoLibrary& InterfaceLibraries::zento() {
    if (!zentoLibrary)
        zentoLibrary = std::make_unique<EmulatedZentoLibrary>();
    return *zentoLibrary;
}

B330Library& InterfaceLibraries::b330() {
    if (!b330Library)
        b330Library = std::make_unique<EmulatedB330Library>();
    return *b330Library;
}

B770Library& InterfaceLibraries::b770() {
    if (!b770Library)
        b770Library = std::make_unique<EmulatedB770Library>();
    return *b770Library;
}

void InterfaceLibraries::install(std::unique_ptr<ZentoLibrary> library) {
    zentoLibrary = std::move(library);
}

void InterfaceLibraries::install(std::unique_ptr<B330Library> library) {
    b330Library = std::move(library);
}

void InterfaceLibraries::install(std::unique_ptr<B770Library> library) {
    b770Library = std::move(library);
}

void InterfaceLibraries::reset() {
    zentoLibrary.reset();
    b330Library.reset();
    b770Library.reset();
}
