#include "TestEnvironment.h"

#include "Internationalization.h"
#include "Settings.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>

TestEnvironment::TestEnvironment() {
    SettingsStore::setLocation(m_dir.path() + QStringLiteral("/config"));
    qputenv("SONA_HOME", m_dir.path().toUtf8());
    restart();
    fakes = FakeSeams::install();
}

TestEnvironment::~TestEnvironment() {
    Internationalization::release();
    Settings::release();
    Seams::reset();
    SettingsStore::setLocation(QString());
    qunsetenv("SONA_HOME");
}

void TestEnvironment::storeSetting(const QString& key, const QString& value) {
    SettingsStore::setValue(key, value);
}

bool TestEnvironment::makeStoreUnwritable() {
    const QString file = SettingsStore::fileName();
    QFile::remove(file);
    return QDir().mkpath(file);
}

void TestEnvironment::restart() {
    Internationalization::release();
    Settings::release();
}
