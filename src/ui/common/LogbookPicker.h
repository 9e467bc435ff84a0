#pragma once

#include <QString>

class Database;
class QTreeWidget;
class QTreeWidgetItem;

// The two-level tree in which a dialog picks a logbook: the dive computer model at the root, the
// model's logbooks below it. Nodes carry their tree keys: "DC" and the model's name, "LB" and a
// FILE_ID.
namespace LogbookPicker {

// The model's name, empty for a code no model has.
QString modelName(qint32 code);

// Fills `tree` with the root of `model` and its logbooks read from `db`, the root expanded.
void fill(QTreeWidget* tree, Database& db, qint32 model);
// Adds a logbook under the root and returns its node.
QTreeWidgetItem* addLogbook(QTreeWidget* tree, const QString& name, const QString& key);

// Asks for a new logbook's name until one is accepted, telling why a name is refused (too long,
// characters that cannot be used, a name the model's logbooks already have); "" when the user
// gives up. The name comes back as typed.
QString askNewName();
// Adds the logbook just created under the root and selects it.
QTreeWidgetItem* selectNew(QTreeWidget* tree, const QString& name, const QString& key);

QString keyOf(const QTreeWidgetItem* node);
// The node with this key; null when none.
QTreeWidgetItem* find(const QTreeWidget* tree, const QString& key);

} // namespace LogbookPicker
