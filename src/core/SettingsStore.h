#pragma once

#include <QString>

// The per-user settings store: INI file under the application title, section "Settings",
// every value decimal text.
class SettingsStore {
public:
    static QString value(const QString& key, const QString& defaultValue);
    static void setValue(const QString& key, const QString& value);
    static void remove(const QString& key);
    // Points the store at another folder (tests); an empty folder restores the user's own.
    static void setLocation(const QString& folder);
    static QString fileName();
};
