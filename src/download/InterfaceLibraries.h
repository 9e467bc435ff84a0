#pragma once

#include "B330Library.h"
#include "B770Library.h"
#include "ZentoLibrary.h"

#include <memory>

// Where the drivers and the About window reach the three interface libraries. The program
// installs the emulated stand-ins at start; tests install scripted fakes. Each getter throws when
// nothing was installed, so a forgotten installation fails loudly instead of reaching a real port.
class InterfaceLibraries {
public:
    static ZentoLibrary& zento();
    static B330Library& b330();
    static B770Library& b770();

    static void install(std::unique_ptr<ZentoLibrary> library);
    static void install(std::unique_ptr<B330Library> library);
    static void install(std::unique_ptr<B770Library> library);
    // The stand-ins the program ships, all three.
    static void installEmulated();
    // Drops every library.
    static void reset();
};
