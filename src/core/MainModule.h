#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

// The string table, and the small shared helpers every window uses.

// The text of string `id` in the current language; "" when it cannot be loaded.
QString getString(qint32 id);
// String `id` with each placeholder of `pairs` (placeholder, value, placeholder, value...) replaced.
// A value that cannot be shown as text raises RuntimeError 13.
QString getStringWithArgs(qint16 id, const QVariantList& pairs);
// The table's text for a resource id (string number plus language offset); "" when missing.
QString stringTableText(qint32 resourceId);

// The help file of the language chosen at start-up.
void setApplicationHelpFile(const QString& path);
QString applicationHelpFile();

bool isDigitsOnly(const QString& text);
// a when a > b, else b; numbers compare as numbers.
QVariant getMax(const QVariant& a, const QVariant& b);
// The condition part of a dive filter statement, from "WHERE" up to the blank before "ORDER".
QString getWhereClause(const QString& statement);

bool setPrinterPortrait();
bool setPrinterLandscape();

QString getDiveComputerName(qint16 code);
bool isValidDiveComputer(qint16 code);
