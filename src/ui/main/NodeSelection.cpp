#include "NodeSelection.h"

#include "Dive.h"
#include "DiveDateText.h"
#include "DiveModule.h"
#include "DiveTabs.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "SqlDates.h"

namespace NodeSelection {

using TreeNodeKey::Kind;

Commands commandsFor(Kind kind, bool freeDive, qsizetype sampleLength) {
    Commands c;
    switch (kind) {
    case Kind::Root:
        c.profile = c.preview = false;
        c.lbDelete = c.lbRename = c.currentLogbook = false;
        break;
    case Kind::Logbook:
        c.profile = c.preview = false;
        c.lbDelete = c.lbRename = c.currentLogbook = true;
        break;
    case Kind::Dive: {
        c.simulator = !freeDive;
        const bool hasProfile = sampleLength > 0;
        c.profile = c.preview = c.profileTab = hasProfile;
        c.lbDelete = c.currentLogbook = true;
        c.lbRename = false;
        break;
    }
    case Kind::None:
        break;
    }
    return c;
}

QString title(Kind kind, const QString& text, qint16 modelInUse) {
    switch (kind) {
    case Kind::Root:
        return u' ' + getString(3008) + QStringLiteral(": ") + getDiveComputerName(modelInUse);
    case Kind::Logbook:
        return u' ' + getString(3009) + QStringLiteral(": ") + text;
    case Kind::Dive:
        return u' ' + getString(1000) + QStringLiteral(": ") + text;
    case Kind::None:
        break;
    }
    return QString();
}

qint16 tabAfter(Kind kind, Kind previous, qint16 currentTab) {
    switch (kind) {
    case Kind::Root:
    case Kind::Logbook:
        return DiveTabs::TAB_LIST;
    case Kind::Dive:
        return previous != Kind::None && previous != Kind::Dive ? DiveTabs::TAB_GENERAL : currentTab;
    case Kind::None:
        break;
    }
    return currentTab;
}

std::shared_ptr<Dive> loadDive(qint32 diveID) {
    try {
        return DiveModule::loadDive(diveID, false);
    } catch (const RuntimeError&) {
        return nullptr;
    }
}

QString dateTimeText(const QVariant& stored) {
    const QDateTime dateTime = SqlDates::fromStored(stored);
    return dateTime.isValid() ? DiveDateText().text(dateTime.date(), dateTime.time()) : QString();
}

} // namespace NodeSelection
