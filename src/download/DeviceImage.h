#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What an emulated interface unit finds on a serial port: the dives of one device as its
// interface library delivers them, and how the transfer behaves. Kept as JSON in
// devices/COMn.json in the program folder, n being the serial port.
class DeviceImage {
public:
    // The interface library whose records the image holds.
    enum class Library { Zento, B330, B770 };
    // A transfer that goes wrong the way a real one can.
    enum class Fault { None, TimeOut, PortError, SyncError };

    Library library = Library::Zento;
    // 0: the library's own version.
    qint32 version = 0;
    // The model code the dives came from; for the reader of the file only.
    qint32 model = 0;
    qint32 transferMs = 1500;
    Fault fault = Fault::None;
    QList<qint32> records;
    // The library's info block; missing values are 0.
    QList<qint32> info;
    // B770 only: the free-dive depth profile and the 1-based number of the record that owns it.
    QList<qint32> freeProfile;
    qint32 freeProfileOwner = 0;

    static QString pathForPort(qint32 serialPort);
    // The library that serves a model code; none for a code outside the six models.
    static std::optional<Library> libraryForModel(qint32 modelCode);
    static QString libraryName(Library library);

    QByteArray toJson() const;
    // `error` receives why the text is not an image.
    static std::optional<DeviceImage> fromJson(const QByteArray& json, QString* error = nullptr);
    static std::optional<DeviceImage> load(const QString& path, QString* error = nullptr);
    bool save(const QString& path, QString* error = nullptr) const;
};
