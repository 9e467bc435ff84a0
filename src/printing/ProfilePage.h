#pragma once

#include "PrintColors.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class PrintDevice;
class Profile;

// The profile page of one dive, laid out for a landscape sheet: title, model, a few descriptive rows,
// the profile graph over most of the page and, at a marker step (`position` 0 or more), the tissue
// bars and a small decompression box for that step.
void printProfileOnly(PrintDevice& device, const PrintColors& colors, const Profile& profile, qint16 position);

// A tissue bar: 7 twips a percent, at most 840 (120 %); red above 100 %, else green.
struct TissueBar {
    double height;
    QColor color;
};
TissueBar tissueBar(qint16 load);

// What the decompression box shows at one step.
struct DecoState {
    qint16 position = 0;
    float depth = 0; // metres
    qint16 decoFlag = 0;
    qint16 safetyTime = 0;
    qint16 noDecTime = 0;
    qint16 stopLevel = 0; // 3 metres a level
    qint16 decoTime = 0;
    qint16 ascentTime = 0;
};
DecoState decoStateAt(const Profile& profile, qint16 position);

struct BoxLine {
    QString label;
    QString value;
};
// The rows of the decompression box, top to bottom.
QList<BoxLine> decoBoxRows(const DecoState& state);
