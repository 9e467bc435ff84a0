#include "InterfaceLibraries.h"

#include "EmulatedB330Library.h"
#include "EmulatedB770Library.h"
#include "EmulatedZentoLibrary.h"

#include <stdexcept>

namespace {
std::unique_ptr<ZentoLibrary> zentoLibrary;
std::unique_ptr<B330Library> b330Library;
std::unique_ptr<B770Library> b770Library;

template <typename T> T& installed(const std::unique_ptr<T>& library, const char* name) {
    if (!library)
        throw std::logic_error(std::string("interface library not installed: ") + name);
    return *library;
}
} // namespace

ZentoLibrary& InterfaceLibraries::zento() {
    return installed(zentoLibrary, "zento");
}

B330Library& InterfaceLibraries::b330() {
    return installed(b330Library, "b330");
}

B770Library& InterfaceLibraries::b770() {
    return installed(b770Library, "b770");
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

void InterfaceLibraries::installEmulated() {
    install(std::make_unique<EmulatedZentoLibrary>());
    install(std::make_unique<EmulatedB330Library>());
    install(std::make_unique<EmulatedB770Library>());
}

void InterfaceLibraries::reset() {
    zentoLibrary.reset();
    b330Library.reset();
    b770Library.reset();
}
