#pragma once

#include "B330Library.h"
#include "B770Library.h"
#include "ZentoLibrary.h"

#include <memory>

// Where the drivers and the About window reach the three interface libraries. Each is loaded on
// its first use: the emulated stand-in unless a test installed another.
class InterfaceLibraries {
public:
    static ZentoLibrary& zento();
    static B330Library& b330();
    static B770Library& b770();

    static void install(std::unique_ptr<ZentoLibrary> library);
    static void install(std::unique_ptr<B330Library> library);
    static void install(std::unique_ptr<B770Library> library);
    // Drops every library; the next use loads the stand-ins again.
    static void reset();
};
