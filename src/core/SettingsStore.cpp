#include "SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace {
const QString applicationTitle = QStringLiteral("S.O.N.A 2");
const QString section = QStringLiteral("Settings");
QString g_folder;

QString storeFile() {
    QString folder = g_folder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + u'/' + applicationTitle + u'/' + applicationTitle + QStringLiteral(".ini");
}
} // namespace

QString SettingsStore::value(const QString& key, const QString& defaultValue) {
    QSettings store(storeFile(), QSettings::IniFormat);
    store.beginGroup(section);
    return store.value(key, defaultValue).toString();
}

void SettingsStore::setValue(const QString& key, const QString& value) {
    QSettings store(storeFile(), QSettings::IniFormat);
    store.beginGroup(section);
    store.setValue(key, value);
}

void SettingsStore::remove(const QString& key) {
    QSettings store(storeFile(), QSettings::IniFormat);
    store.beginGroup(section);
    store.remove(key);
}

void SettingsStore::setLocation(const QString& folder) {
    g_folder = folder;
}

QString SettingsStore::fileName() {
    return storeFile();
}
