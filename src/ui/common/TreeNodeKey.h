#pragma once

#include <QString>

// Keys of the nodes of a logbook tree: a two-letter prefix and an identifier from the third
// character on. "DC" and the model name for the dive computer, "LB" and FILE_ID for a logbook, "DR"
// and DIVE_ID for a dive.
namespace TreeNodeKey {

enum class Kind { None, Root, Logbook, Dive };

// "DC" and the model's name; "DC" alone for a code without a name.
QString root(qint16 model);
QString logbook(qint32 fileID);
QString dive(qint32 diveID);

Kind kindOf(const QString& key);
// Everything from the third character on.
QString identifier(const QString& key);
// The identifier as a number; 0 when it is not one.
qint32 id(const QString& key);

} // namespace TreeNodeKey
