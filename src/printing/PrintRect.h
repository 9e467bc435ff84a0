#pragma once

#include <QtGlobal>

// A rectangle of a printed page in twips. The data boxes of the data-and-profile page receive one
// as their corner and write their size into it.
struct PrintRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
};
