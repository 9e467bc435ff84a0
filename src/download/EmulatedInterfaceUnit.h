#pragma once

#include "DeviceImage.h"
#include "LibraryCodes.h"

#include <QtGlobal>
#include <optional>

// The interface unit behind an emulated library: on a start it looks for the device image of the
// serial port, then transfers on its own for the image's transfer time, measured on the clock
// seam, while the program polls; afterwards it hands over what the device holds.
class EmulatedInterfaceUnit {
public:
    // How long the unit waits for a device that does not answer.
    static constexpr qint32 NoAnswerMs = 2000;

    EmulatedInterfaceUnit(DeviceImage::Library library, qint32 ownVersion);

    // The version of the image on the configured serial port when it is one of this library's,
    // else the library's own.
    qint32 version() const;
    bool portExists(qint32 serialPort) const;
    // False while a session is open: the port is still held.
    bool start(qint32 serialPort);
    // True while the transfer runs.
    bool isTransferring();
    qint32 progress();

    // The outcome once the transfer has ended (a LibraryCodes result); TimeOut while it runs or before any
    // start.
    qint32 result();
    // What the device holds, once the transfer was delivered.
    const DeviceImage* image() const { return m_image ? &*m_image : nullptr; }
    // Copies `from` into `to` (at most `size` values), zero-filling the rest.
    static void copyInto(const QList<qint32>& from, qint32* to, qint32 size);

    // Ends the session and lets go of the port.
    void release();

private:
    enum class State { Idle, Transferring, Done };
    qint64 elapsedMs() const;
    void update();

    DeviceImage::Library m_library;
    qint32 m_ownVersion;
    State m_state = State::Idle;
    qint64 m_startMs = 0;
    qint64 m_durationMs = 0;
    qint32 m_result = LibraryCodes::TimeOut;
    std::optional<DeviceImage> m_image;
};
