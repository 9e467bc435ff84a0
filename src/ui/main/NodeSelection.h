#pragma once

#include "TreeNodeKey.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class Dive;

// What selecting a node of the logbook tree does to the window, apart from the window itself.
namespace NodeSelection {

// The states a selection gives the commands that follow it; an empty one keeps what the previous
// selection left.
struct Commands {
    std::optional<bool> profile;        // toolbar "PROFILE"
    std::optional<bool> preview;        // toolbar "PREVIEW"
    std::optional<bool> simulator;      // toolbar "SIMULATOR" and the profile panel's
    std::optional<bool> profileTab;     // whether the Profile tab may be chosen
    std::optional<bool> lbDelete;       // menu Logbook > Delete
    std::optional<bool> lbRename;       // menu Logbook > Rename
    std::optional<bool> currentLogbook; // the calendar's "Current Logbook" box
};

// `freeDive` and `sampleLength` (SAMPLE's length in characters, 0 for NULL) describe the selected
// dive. A free-dive session follows the same profile rule as any dive: its profile shows when it
// has one.
Commands commandsFor(TreeNodeKey::Kind kind, bool freeDive, qsizetype sampleLength);

// The title above the dive tabs: " Dive Computer: zento", " Logbook: Red Sea", " Dive: <date>".
// `text` is the logbook's name or the dive's date-time text ("" when it has none); the root's title
// names the model in use.
QString title(TreeNodeKey::Kind kind, const QString& text, qint16 modelInUse);

// The dive tab to show after a selection: the List for the root and a logbook; for a dive the
// General tab when it follows a node that was not a dive, else the tab shown before.
qint16 tabAfter(TreeNodeKey::Kind kind, TreeNodeKey::Kind previous, qint16 currentTab);

// The selected dive without its descriptive record. A dive the model in use cannot read (a logbook
// of several model bits, say) is none: the window then shows what the data control has and nothing
// model-specific.
std::shared_ptr<Dive> loadDive(qint32 diveID);

// A stored DATETIME as the tree and the title show it; "" for none.
QString dateTimeText(const QVariant& stored);

} // namespace NodeSelection
