#pragma once

#include <QString>
#include <QtGlobal>

// The per-user settings store: INI file under the application title, section "Settings",
// every value decimal text.
class SettingsStore {
public:
    // The error a store that cannot be written raises ("Path/File access error").
    static constexpr qint32 WRITE_FAILED = 75;

    // The key's text; the default when it is missing or is not plain text.
    static QString value(const QString& key, const QString& defaultValue);
    // RuntimeError WRITE_FAILED, naming the file, when the file cannot be written; the file then
    // holds what it held before.
    static void setValue(const QString& key, const QString& value);
    static void remove(const QString& key);
    // Points the store at another folder (tests); an empty folder restores the user's own.
    static void setLocation(const QString& folder);
    static QString fileName();
};
