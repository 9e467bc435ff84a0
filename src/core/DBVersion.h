#pragma once

#include <QString>

// Brings an older logbook database to the current schema version "2.2" at start-up:
// "2.0" -> "2.1" rewrites every profile from three- to four-character fields, "2.1" -> "2.2" adds
// the columns of the RGBM models. Each step is one transaction; a step that fails leaves the file as
// it was, silently, and is tried again at the next start.
namespace DBVersion {

// Reads the version of Settings::databaseName and runs the steps it needs. A version that cannot be
// read counts as current; a step that fails is rolled back without a word. RuntimeError when no
// transaction can begin (one is already running), and 3218 when another program holds the file.
void checkDBVersion();

// Runs the step that leads to `version` ("2.1" or "2.2"; any other text does nothing and succeeds).
// False when the step failed and was rolled back. RuntimeError when no transaction can begin, and
// 3218 (rolled back) when another program holds the file.
bool upgradeDB(const QString& version);

} // namespace DBVersion
