#include "CodedLists.h"

#include "MainModule.h"
#include "Numeric.h"

#include <cmath>

namespace CodedLists {

int listIndex(const QVariant& code, int count) {
    if (code.isNull())
        return -1;
    bool ok = false;
    const double value = code.toDouble(&ok);
    if (!ok || std::isnan(value))
        return -1;
    const double entry = num::roundHalfEven(value);
    return entry < 0 || entry >= count ? -1 : int(entry);
}

QString text(const CodedList& list, const QVariant& code) {
    const int entry = listIndex(code, list.count);
    return entry < 0 ? QString() : getString(list.firstString + entry);
}

} // namespace CodedLists
