#pragma once

#include <QString>
#include <optional>

// The rules of the main window's dive tabs: which tab a request shows, what fills it, which group
// of tabs may be chosen.
namespace DiveTabs {

constexpr qint16 TAB_LIST = 0;
constexpr qint16 TAB_CALENDAR = 1;
constexpr qint16 TAB_GENERAL = 2;
constexpr qint16 TAB_SETTINGS = 3;
constexpr qint16 TAB_TECHNICAL = 4;
constexpr qint16 TAB_PROFILE_DATA = 5;
constexpr qint16 TAB_NOTES = 6;
constexpr qint16 TAB_PROFILE = 7;
constexpr int TAB_COUNT = 8;

enum class Fill { None, General, Settings, Technical, ProfileData, Profile };

struct Change {
    Fill fill = Fill::None;
    // The dive group's switch (the list group gets the opposite); empty: left as it is.
    std::optional<bool> diveGroup;
    // The profile panel's tab on the left.
    bool profilePanel = false;
    // The Profile tab was asked for but may not be chosen: the Notes tab is shown instead.
    bool toNotes = false;
    qint16 currentTab = 0;
};

// What showing tab `index` does. `diveSelected`: the tree's selected node is a dive;
// `profileSwitch`: the Profile tab may be chosen. An unknown index changes nothing.
Change change(qint16 index, qint16 currentTab, bool diveSelected, bool profileSwitch);

// Whether tab `index` may be chosen under the two switches.
bool mayChoose(int index, bool diveGroup, bool profileSwitch);

} // namespace DiveTabs
