#include "EmulatedB330Library.h"

EmulatedB330Library::EmulatedB330Library() : m_unit(DeviceImage::Library::B330, OWN_VERSION) {}

qint32 EmulatedB330Library::getVersion() {
    return m_unit.version();
}

qint32 EmulatedB330Library::getDownloadStatus() {
    return m_unit.isTransferring() ? 1 : 0;
}

qint32 EmulatedB330Library::startDownload(qint32 serialPort) {
    return m_unit.start(serialPort) ? 1 : 0;
}

qint32 EmulatedB330Library::getProgress() {
    return m_unit.progress();
}

qint32 EmulatedB330Library::downloadProfile(qint32* infoBlock, qint32 family, qint32* records, qint32 capacity) {
    const qint32 result = m_unit.result();
    const DeviceImage* image = m_unit.image();
    qint32 answer = result;
    if (result == EmulatedInterfaceUnit::Delivered && family != FAMILY) {
        // Asked in another family's protocol, the device stays silent.
        answer = EmulatedInterfaceUnit::TimeOut;
    } else if (result == EmulatedInterfaceUnit::Delivered && image) {
        EmulatedInterfaceUnit::copyInto(image->info, infoBlock, 7);
        // The array runs from index 0 to capacity; a 0 follows the last record when there is room.
        EmulatedInterfaceUnit::copyInto(image->records, records, capacity + 1);
    }
    m_unit.release();
    return answer;
}
