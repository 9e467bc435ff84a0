#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The choices of the filter dialog, turned into the dive filter statement the main window shows
// its dives with.
struct DiveFilterCriteria {
    enum DiveType { AllDives, DecoDives, NoDecoDives };

    DiveType diveType = AllDives;
    bool byDate = false;
    QDateTime startDate;
    QDateTime stopDate;
    bool byDepth = false;
    // As typed, in the user's depth unit.
    QString startDepth;
    QString stopDepth;
    bool imperialDepths = false;
    // The activity code (the list index); -1 for none.
    qint32 activity = -1;
    bool byDiveMode = false;
    qint32 diveMode = 0;
};

struct DiveFilterStatement {
    // "" when an entry was refused.
    QString statement;
    // The string numbers of the refusals, in the order they are to be shown.
    QList<qint32> refusals;
};

// The statement: `defaultFilter`, one piece per criterion (each between blanks, so neighbours meet
// with two) and the newest-first order. Refusals: 3015 and 3016 for a start or end date that is no
// valid dive date, 3017 and 3018 for a start or end depth that is not a whole number of digits; a
// refused date does not stop the depths from being judged. A reversed range is accepted and
// selects no dive.
DiveFilterStatement buildDiveFilter(const DiveFilterCriteria& criteria, const QString& defaultFilter);
