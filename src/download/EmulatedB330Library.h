#pragma once

#include "B330Library.h"
#include "EmulatedFixedArrayLibrary.h"

// The B330 library as the program ships it: an emulated interface unit serving the device
// image of the serial port (model codes 8 and 16).
class EmulatedB330Library : public EmulatedFixedArrayLibrary<B330Library> {
public:
    static constexpr qint32 OWN_VERSION = 120;

    EmulatedB330Library()
        : EmulatedFixedArrayLibrary(DeviceImage::Library::B330, OWN_VERSION, LibraryCodes::B330Family) {}
};
