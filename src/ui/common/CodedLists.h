#pragma once

#include <QString>
#include <QVariant>

// The coded lists of a dive's descriptive data: a stored number picks an entry of a list of strings.
namespace CodedLists {

// The entry of a coded list of `count` entries that a stored code selects, the code rounded to a
// whole number; -1 (nothing selected) for NULL, a value that is not a number, or one outside the
// list.
int listIndex(const QVariant& code, int count);

// Coded lists: the string of entry 0 and the number of entries.
struct CodedList {
    const char* column;
    qint32 firstString;
    int count;
};
constexpr CodedList ACTIVITY{"ACTIVITY", 1100, 13};
constexpr CodedList WEATHER{"WEATHER", 1150, 6};
constexpr CodedList WETSUIT{"WETSUIT", 1180, 3};

// The text of a stored code in `list`; empty when the code selects no entry.
QString text(const CodedList& list, const QVariant& code);

} // namespace CodedLists
