#include "PropertyBag.h"

QString PropertyBag::fold(const QString& key) {
    return key.toCaseFolded();
}

QVariant PropertyBag::read(const QString& key, const QVariant& defaultValue) const {
    return m_values.value(fold(key), defaultValue);
}

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& defaultValue) {
    if (value == defaultValue)
        m_values.remove(fold(key));
    else
        m_values.insert(fold(key), value);
}

void PropertyBag::write(const QString& key, const QVariant& value) {
    m_values.insert(fold(key), value);
}

bool PropertyBag::contains(const QString& key) const {
    return m_values.contains(fold(key));
}

QStringList PropertyBag::keys() const {
    return m_values.keys();
}
