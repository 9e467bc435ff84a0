#include "EmulatedInterfaceUnit.h"

#include "Seams.h"
#include "Settings.h"

#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <thread>

EmulatedInterfaceUnit::EmulatedInterfaceUnit(DeviceImage::Library library, qint32 ownVersion)
    : m_library(library), m_ownVersion(ownVersion) {}

qint32 EmulatedInterfaceUnit::version() const {
    const auto image = DeviceImage::load(DeviceImage::pathForPort(Settings::instance().comPort()));
    if (image && image->library == m_library && image->version != 0)
        return image->version;
    return m_ownVersion;
}

bool EmulatedInterfaceUnit::portExists(qint32 serialPort) const {
    return QFileInfo::exists(DeviceImage::pathForPort(serialPort));
}

bool EmulatedInterfaceUnit::start(qint32 serialPort) {
    if (m_state != State::Idle)
        return false;
    m_image.reset();
    const QString path = DeviceImage::pathForPort(serialPort);
    if (!QFileInfo::exists(path)) {
        // Nothing on that port: the unit gives up at once.
        m_result = LibraryCodes::PortError;
        m_durationMs = 0;
    } else if (auto image = DeviceImage::load(path); !image || image->library != m_library) {
        // A device that speaks another protocol, or none, never answers.
        m_result = LibraryCodes::TimeOut;
        m_durationMs = NoAnswerMs;
    } else {
        switch (image->fault) {
        case DeviceImage::Fault::None:
            m_result = LibraryCodes::Delivered;
            break;
        case DeviceImage::Fault::TimeOut:
            m_result = LibraryCodes::TimeOut;
            break;
        case DeviceImage::Fault::PortError:
            m_result = LibraryCodes::PortError;
            break;
        case DeviceImage::Fault::SyncError:
            m_result = LibraryCodes::SyncError;
            break;
        }
        m_durationMs = image->transferMs;
        if (m_result == LibraryCodes::Delivered)
            m_image = std::move(image);
    }
    m_state = State::Transferring;
    m_startMs = Seams::clock().now().toMSecsSinceEpoch();
    return true;
}

qint64 EmulatedInterfaceUnit::elapsedMs() const {
    return Seams::clock().now().toMSecsSinceEpoch() - m_startMs;
}

void EmulatedInterfaceUnit::update() {
    if (m_state == State::Transferring && elapsedMs() >= m_durationMs)
        m_state = State::Done;
}

bool EmulatedInterfaceUnit::isTransferring() {
    update();
    if (m_state != State::Transferring)
        return false;
    // The program polls without a pause; a real unit answers at the pace of its port.
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return true;
}

qint32 EmulatedInterfaceUnit::progress() {
    update();
    switch (m_state) {
    case State::Idle:
        return 0;
    case State::Done:
        return 100;
    case State::Transferring:
        break;
    }
    if (m_durationMs <= 0)
        return 100;
    return qint32(std::clamp<qint64>(elapsedMs() * 100 / m_durationMs, 0, 100));
}

qint32 EmulatedInterfaceUnit::result() {
    update();
    return m_state == State::Done ? m_result : LibraryCodes::TimeOut;
}

void EmulatedInterfaceUnit::copyInto(const QList<qint32>& from, qint32* to, qint32 size) {
    if (!to || size <= 0)
        return;
    const qint32 n = qint32(std::min<qsizetype>(from.size(), size));
    std::copy_n(from.constData(), n, to);
    std::fill(to + n, to + size, 0);
}

void EmulatedInterfaceUnit::release() {
    m_state = State::Idle;
    m_image.reset();
}
