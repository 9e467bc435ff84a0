#pragma once

#include "EmulatedFixedArrayLibrary.h"
#include "ZentoLibrary.h"

// The Zento library as the program ships it: an emulated interface unit serving the device
// image of the serial port (model codes 1, 2 and 4).
class EmulatedZentoLibrary : public EmulatedFixedArrayLibrary<ZentoLibrary> {
public:
    static constexpr qint32 OWN_VERSION = 210;

    EmulatedZentoLibrary()
        : EmulatedFixedArrayLibrary(DeviceImage::Library::Zento, OWN_VERSION, LibraryCodes::ZentoFamily) {}
};
