#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

// The stored properties of a control, as a host that saves layouts keeps them. Keys match without
// regard to case; a value equal to its default is not written, so a saved layout holds only what
// the user changed, and a later change of a default reaches every layout that kept it.
class PropertyBag {
public:
    QVariant read(const QString& key, const QVariant& defaultValue) const;
    // Stores `value`, or forgets the key when `value` equals `defaultValue`.
    void write(const QString& key, const QVariant& value, const QVariant& defaultValue);
    // Stores `value` whatever it is, for controls whose layouts keep every property.
    void write(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;
    // The stored keys, folded to lower case.
    QStringList keys() const;

private:
    static QString fold(const QString& key);
    QHash<QString, QVariant> m_values;
};
