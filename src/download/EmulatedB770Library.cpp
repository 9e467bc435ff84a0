#include "EmulatedB770Library.h"

EmulatedB770Library::EmulatedB770Library() : EmulatedLibrary(DeviceImage::Library::B770, OWN_VERSION) {}

qint32 EmulatedB770Library::EsisteSeriale(qint32 serialPort) {
    return m_unit.portExists(serialPort) ? LibraryCodes::Done : 0;
}

qint32 EmulatedB770Library::DimensioneProfili() {
    const DeviceImage* image = m_unit.result() == LibraryCodes::Delivered ? m_unit.image() : nullptr;
    return image ? qint32(image->records.size()) : 0;
}

qint32 EmulatedB770Library::DimensioneFree() {
    const DeviceImage* image = m_unit.result() == LibraryCodes::Delivered ? m_unit.image() : nullptr;
    return image ? qint32(image->freeProfile.size()) : 0;
}

qint32 EmulatedB770Library::downloadProfile(qint32* infoBlock, qint32 infoSize, qint32* records, qint32 recordSize,
                                            qint32* freeProfile, qint32 freeSize) {
    const qint32 result = m_unit.result();
    const DeviceImage* image = m_unit.image();
    if (result != LibraryCodes::Delivered || !image)
        return result;
    QList<qint32> info = image->info;
    if (info.size() < 13)
        info.resize(13);
    info[12] = image->freeProfileOwner;
    EmulatedInterfaceUnit::copyInto(info, infoBlock, infoSize);
    EmulatedInterfaceUnit::copyInto(image->records, records, recordSize);
    EmulatedInterfaceUnit::copyInto(image->freeProfile, freeProfile, freeSize);
    return result;
}

qint32 EmulatedB770Library::stopDownload() {
    m_unit.release();
    return LibraryCodes::Done;
}
