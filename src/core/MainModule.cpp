#include "MainModule.h"

#include "ModelCodes.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "StringTable.h"

#include <limits>

namespace {
QString g_helpFile;

QString variantText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Float:
        return num::singleToText(value.toFloat());
    case QMetaType::Double:
        return num::doubleToText(value.toDouble());
    case QMetaType::QString:
        return value.toString();
    default:
        if (!value.canConvert<QString>())
            throw RuntimeError::typeMismatch(QStringLiteral("getStringWithArgs"));
        return value.toString();
    }
}

bool isNumeric(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool setPrinterOrientation(int wanted, int refused) {
    try {
        PrinterService& printers = Seams::printers();
        printers.setOrientation(wanted);
        return printers.orientation() != refused;
    } catch (const RuntimeError&) {
        return false;
    }
}
} // namespace

QString stringTableText(qint32 resourceId) {
    return StringTable::instance().text(resourceId);
}

QString getString(qint32 id) {
    try {
        const qint64 resourceId = qint64(id) + Settings::instance().languageResourceOffset();
        if (resourceId > std::numeric_limits<qint32>::max() || resourceId < std::numeric_limits<qint32>::min())
            return QString();
        return stringTableText(qint32(resourceId));
    } catch (...) {
        return QString();
    }
}

QString getStringWithArgs(qint16 id, const QVariantList& pairs) {
    QString text = getString(id);
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        const QString placeholder = variantText(pairs[i]);
        const QString value = variantText(pairs[i + 1]);
        // An empty placeholder occurs nowhere; QString::replace would put the value between every character.
        if (!placeholder.isEmpty())
            text.replace(placeholder, value, Qt::CaseSensitive);
    }
    return text;
}

void setApplicationHelpFile(const QString& path) {
    g_helpFile = path;
}

QString applicationHelpFile() {
    return g_helpFile;
}

bool isDigitsOnly(const QString& text) {
    if (text.size() > 32767)
        throw RuntimeError::overflow(QStringLiteral("isDigitsOnly"));
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QVariant getMax(const QVariant& a, const QVariant& b) {
    if (isNumeric(a) && isNumeric(b))
        return a.toDouble() > b.toDouble() ? a : b;
    return a.toString() > b.toString() ? a : b;
}

QString getWhereClause(const QString& statement) {
    const qsizetype w = statement.indexOf(QLatin1String("WHERE"), 0, Qt::CaseInsensitive);
    const qsizetype o = statement.indexOf(QLatin1String("ORDER"), 0, Qt::CaseInsensitive);
    if (w < 0)
        return QString();
    if (o < 0)
        return statement.mid(w);
    const qsizetype length = o - w - 1;
    if (length < 0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall, QStringLiteral("getWhereClause"),
                           QStringLiteral("Invalid procedure call or argument"));
    return statement.mid(w, length);
}

bool setPrinterPortrait() {
    return setPrinterOrientation(1, 2);
}

bool setPrinterLandscape() {
    return setPrinterOrientation(2, 1);
}

QString getDiveComputerName(qint16 code) {
    const std::optional<ModelCode> model = ModelCodes::model(code);
    if (!model)
        return QString();
    switch (*model) {
    case ModelCode::dcZento:
        return QStringLiteral("zento");
    case ModelCode::dcLUMO:
        return QStringLiteral("Lumo");
    case ModelCode::dcZentoRGBM:
        return QStringLiteral("zento RGBM");
    case ModelCode::dcTAVEX:
        return QStringLiteral("Tavex");
    case ModelCode::dcLumoAir:
        return QStringLiteral("Lumo Air");
    case ModelCode::dcKOBI:
        return QStringLiteral("Kobi");
    }
    return QString();
}

bool isValidDiveComputer(qint16 code) {
    return code != 0 && (code & ModelCodes::ALL) == code;
}
