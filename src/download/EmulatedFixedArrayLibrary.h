#pragma once

#include "EmulatedLibrary.h"

// The stand-in of a library that copies its records into a fixed array the program hands it, and
// answers only when asked in its own family's protocol.
template <class Library> class EmulatedFixedArrayLibrary : public EmulatedLibrary<Library> {
public:
    qint32 downloadProfile(qint32* infoBlock, qint32 family, qint32* records, qint32 capacity) override {
        EmulatedInterfaceUnit& unit = this->m_unit;
        const qint32 result = unit.result();
        const DeviceImage* image = unit.image();
        qint32 answer = result;
        if (result == LibraryCodes::Delivered && family != m_family) {
            // Asked in another family's protocol, the device stays silent.
            answer = LibraryCodes::TimeOut;
        } else if (result == LibraryCodes::Delivered && image) {
            EmulatedInterfaceUnit::copyInto(image->info, infoBlock, 7);
            // The array runs from index 0 to capacity; a 0 follows the last record when there is room.
            EmulatedInterfaceUnit::copyInto(image->records, records, capacity + 1);
        }
        unit.release();
        return answer;
    }

protected:
    EmulatedFixedArrayLibrary(DeviceImage::Library library, qint32 ownVersion, qint32 family)
        : EmulatedLibrary<Library>(library, ownVersion), m_family(family) {}

private:
    qint32 m_family;
};
