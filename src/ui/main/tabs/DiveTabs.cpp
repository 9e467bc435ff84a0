#include "DiveTabs.h"

namespace DiveTabs {

Change change(qint16 index, qint16 currentTab, bool diveSelected, bool profileSwitch) {
    Change c;
    c.currentTab = currentTab;
    switch (index) {
    case TAB_LIST:
        c.diveGroup = false;
        c.currentTab = diveSelected ? TAB_GENERAL : TAB_LIST;
        break;
    case TAB_CALENDAR:
        c.diveGroup = false;
        c.currentTab = TAB_CALENDAR;
        break;
    case TAB_GENERAL:
    case TAB_SETTINGS:
    case TAB_TECHNICAL:
    case TAB_PROFILE_DATA:
    case TAB_NOTES: {
        static const Fill fills[] = {Fill::General, Fill::Settings, Fill::Technical, Fill::ProfileData, Fill::None};
        c.fill = fills[index - TAB_GENERAL];
        c.diveGroup = true;
        c.currentTab = index;
        break;
    }
    case TAB_PROFILE:
        if (profileSwitch) {
            c.profilePanel = true;
            c.fill = Fill::Profile;
            c.diveGroup = true;
            c.currentTab = TAB_PROFILE;
        } else {
            c.toNotes = true;
        }
        break;
    default:
        break;
    }
    return c;
}

bool mayChoose(int index, bool diveGroup, bool profileSwitch) {
    if (index < TAB_GENERAL)
        return !diveGroup;
    return diveGroup && (index != TAB_PROFILE || profileSwitch);
}

} // namespace DiveTabs
