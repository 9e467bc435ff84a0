#include "TreeNodeKey.h"

#include "MainModule.h"

namespace TreeNodeKey {

QString root(qint16 model) {
    return QStringLiteral("DC") + getDiveComputerName(model);
}

QString logbook(qint32 fileID) {
    return QStringLiteral("LB") + QString::number(fileID);
}

QString dive(qint32 diveID) {
    return QStringLiteral("DR") + QString::number(diveID);
}

Kind kindOf(const QString& key) {
    if (key.startsWith(QLatin1String("DC")))
        return Kind::Root;
    if (key.startsWith(QLatin1String("LB")))
        return Kind::Logbook;
    if (key.startsWith(QLatin1String("DR")))
        return Kind::Dive;
    return Kind::None;
}

QString identifier(const QString& key) {
    return key.mid(2);
}

qint32 id(const QString& key) {
    return identifier(key).trimmed().toInt();
}

} // namespace TreeNodeKey
