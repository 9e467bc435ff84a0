#include "DeviceImage.h"

#include "ModelCodes.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>
#include <limits>

namespace {

struct Named {
    const char* name;
    DeviceImage::Fault fault;
};
constexpr Named faultNames[] = {{"", DeviceImage::Fault::None},
                                {"timeout", DeviceImage::Fault::TimeOut},
                                {"port", DeviceImage::Fault::PortError},
                                {"sync", DeviceImage::Fault::SyncError}};

QJsonArray toArray(const QList<qint32>& values) {
    QJsonArray array;
    for (qint32 v : values)
        array.append(v);
    return array;
}

bool readInt(const QJsonValue& value, qint32& out) {
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (d != std::floor(d) || d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
        return false;
    out = qint32(d);
    return true;
}

bool readArray(const QJsonObject& object, const char* key, QList<qint32>& out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    if (!value.isArray()) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a list of numbers").arg(QLatin1String(key));
        return false;
    }
    const QJsonArray array = value.toArray();
    out.clear();
    out.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        qint32 v = 0;
        if (!readInt(array.at(i), v)) {
            if (error)
                *error = QStringLiteral("\"%1\" value %2 is not a 32-bit integer").arg(QLatin1String(key)).arg(i);
            return false;
        }
        out.append(v);
    }
    return true;
}

bool readScalar(const QJsonObject& object, const char* key, qint32& out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    if (!readInt(value, out)) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a 32-bit integer").arg(QLatin1String(key));
        return false;
    }
    return true;
}

} // namespace

QString DeviceImage::pathForPort(qint32 serialPort) {
    return Settings::programFolder() + QStringLiteral("devices/COM%1.json").arg(serialPort);
}

std::optional<DeviceImage::Library> DeviceImage::libraryForModel(qint32 modelCode) {
    const std::optional<ModelCode> model = ModelCodes::model(modelCode);
    if (!model)
        return std::nullopt;
    switch (*model) {
    case ModelCode::dcZento:
    case ModelCode::dcLUMO:
    case ModelCode::dcZentoRGBM:
        return Library::Zento;
    case ModelCode::dcTAVEX:
    case ModelCode::dcLumoAir:
        return Library::B330;
    case ModelCode::dcKOBI:
        return Library::B770;
    }
    return std::nullopt;
}

QString DeviceImage::libraryName(Library library) {
    switch (library) {
    case Library::Zento:
        return QStringLiteral("Zento");
    case Library::B330:
        return QStringLiteral("B330");
    case Library::B770:
        return QStringLiteral("B770");
    }
    return {};
}

QByteArray DeviceImage::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("library"), libraryName(library));
    if (version != 0)
        object.insert(QStringLiteral("version"), version);
    if (model != 0)
        object.insert(QStringLiteral("model"), model);
    object.insert(QStringLiteral("transferMs"), transferMs);
    for (const Named& n : faultNames) {
        if (n.fault == fault && fault != Fault::None)
            object.insert(QStringLiteral("fault"), QLatin1String(n.name));
    }
    if (!info.isEmpty())
        object.insert(QStringLiteral("info"), toArray(info));
    object.insert(QStringLiteral("records"), toArray(records));
    if (library == Library::B770) {
        object.insert(QStringLiteral("freeProfile"), toArray(freeProfile));
        object.insert(QStringLiteral("freeProfileOwner"), freeProfileOwner);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<DeviceImage> DeviceImage::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    DeviceImage image;

    const QString libraryText = object.value(QStringLiteral("library")).toString();
    bool known = false;
    for (Library l : {Library::Zento, Library::B330, Library::B770}) {
        if (libraryText.compare(libraryName(l), Qt::CaseInsensitive) == 0) {
            image.library = l;
            known = true;
        }
    }
    if (!known) {
        if (error)
            *error = QStringLiteral("\"library\" must be \"Zento\", \"B330\" or \"B770\"");
        return std::nullopt;
    }

    const QJsonValue faultValue = object.value(QStringLiteral("fault"));
    if (!faultValue.isUndefined() && !faultValue.isNull()) {
        const QString faultText = faultValue.toString();
        known = false;
        for (const Named& n : faultNames) {
            if (faultText.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
                image.fault = n.fault;
                known = true;
            }
        }
        if (!known) {
            if (error)
                *error = QStringLiteral("\"fault\" must be \"timeout\", \"port\" or \"sync\"");
            return std::nullopt;
        }
    }

    if (!readScalar(object, "version", image.version, error) || !readScalar(object, "model", image.model, error) ||
        !readScalar(object, "transferMs", image.transferMs, error) ||
        !readScalar(object, "freeProfileOwner", image.freeProfileOwner, error) ||
        !readArray(object, "records", image.records, error) || !readArray(object, "info", image.info, error) ||
        !readArray(object, "freeProfile", image.freeProfile, error))
        return std::nullopt;
    if (image.transferMs < 0) {
        if (error)
            *error = QStringLiteral("\"transferMs\" must not be negative");
        return std::nullopt;
    }
    return image;
}

std::optional<DeviceImage> DeviceImage::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return fromJson(file.readAll(), error);
}

bool DeviceImage::save(const QString& path, QString* error) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
