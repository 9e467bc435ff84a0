#pragma once

#include "FakeSeams.h"

#include <QTemporaryDir>

// A clean world for one test case: an empty settings store and program folder in a temporary
// directory, no Settings or Internationalization object yet, and fakes for every service.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString folder() const { return m_dir.path() + u'/'; }
    // Writes a value to the settings store before Settings reads it.
    void storeSetting(const QString& key, const QString& value);
    // Puts a folder where the settings store's file is: nothing can be written to it any more, also
    // by root. What the store held reads as missing. False when the folder cannot be made.
    bool makeStoreUnwritable();
    // Drops the process-wide objects so the next use reads the store again.
    void restart();

    FakeSeams fakes;

private:
    QTemporaryDir m_dir;
};
