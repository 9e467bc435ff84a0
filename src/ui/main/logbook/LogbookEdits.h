#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

class DiveDataControl;
class QWidget;

// The edits the main window makes to the logbook database from its tree: deleting a logbook (with
// its dives) or a dive, giving a dive a new date and time, renaming a logbook. Each asks or checks
// what it must through the message seam, writes one statement with the user's texts bound as
// values, and reports failures itself; the window then changes its tree in place.
//
// The edits keep the window's data control honest: a deletion drops the pending edits of rows that
// no longer exist and rereads the rows, a new date rereads them too.
class LogbookEdits {
public:
    explicit LogbookEdits(DiveDataControl& data, QWidget* dialogParent = nullptr);

    // Asks whether to delete the logbook ("LB" key) or dive ("DR" key) shown as `nodeText`, and
    // deletes it; a logbook's dives go with it. True when the row is gone: the window then removes
    // the node and applies its parent. Any other key, an answer other than Yes, or a failure
    // (reported) changes nothing.
    bool deleteNode(const QString& key, const QString& nodeText);

    // After a dive or logbook was deleted: the pending edits of a dive that no longer exists are
    // dropped, so that they are never written, and the data control reads its rows anew.
    static void forgetDeletedRows(DiveDataControl& data);

    // The outcome of a change of date and time: the node to relabel with `text` and apply again.
    struct Redate {
        bool apply = false;
        QString key;
        QString text;
    };
    // Asks for a new date and time of the selected dive (Settings::currentDiveID; `nodeText` is the
    // selected node's text) and stores it without seconds. The pending field edits are written
    // first; when the database refuses them (string 3031) nothing else happens. A date-time that
    // another dive of the logbook already has is refused (string 3039). The node text is read back
    // from the stored row.
    Redate modifyDiveTime(const QString& nodeText);

    // Judges a new name typed for the logbook of node `key` and stores it as typed. True when it was
    // stored; false when refused (the tree then puts the old label back). Only logbooks are renamed:
    // any other node keeps its stored text.
    bool renameLogbook(const QString& key, const QString& newName);

    static constexpr int MAX_NAME_LENGTH = 20;

    // The date and time dialog: the new date-time, or none when cancelled. Tests replace it.
    std::function<std::optional<QDateTime>(const QString& currentText, const QDateTime& current)> askDateTime;

private:
    void showFailure(const char* origin, const char* what, const std::exception& error) const;

    DiveDataControl& m_data;
    QWidget* m_parent;
};
