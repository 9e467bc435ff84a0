#pragma once

#include "EmulatedInterfaceUnit.h"

// The calls that every library's stand-in answers alike, from its emulated interface unit.
template <class Library> class EmulatedLibrary : public Library {
public:
    qint32 getVersion() override { return m_unit.version(); }
    qint32 getDownloadStatus() override { return m_unit.isTransferring() ? LibraryCodes::Transferring : 0; }
    qint32 startDownload(qint32 serialPort) override { return m_unit.start(serialPort) ? LibraryCodes::Done : 0; }
    qint32 getProgress() override { return m_unit.progress(); }

protected:
    EmulatedLibrary(DeviceImage::Library library, qint32 ownVersion) : m_unit(library, ownVersion) {}

    EmulatedInterfaceUnit m_unit;
};
