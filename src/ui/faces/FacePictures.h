#pragma once

#include <QList>
#include <QPixmap>

// The small pictures of the faces, drawn here in the manner of a segment display: dark marks on a
// transparent ground, so that they sit on any face background.
namespace facepictures {

// The pictures the segment faces share, list entries 1 to 11: the ascent-rate bar at levels 5 to
// 1, the altitude classes 1 to 3, the CNS warning, the ascent warning and the deco-stop warning.
QList<QPixmap> segmentPictures();

// An ascent-rate bar of `segments` stacked wedges (1 to 4); `slow` adds the word above them.
QPixmap ascentBar(QSize size, int segments, bool slow);
// The air-integrated scale: bars widening upwards beside their marks, up to `bars` of five.
QPixmap ascentScale(QSize size, int bars);
// A mountain range of three peaks, the first `filled` of them dark.
QPixmap altitude(QSize size, int filled);
// An upward arrow; `fast` writes the word beside it.
QPixmap ascentWarning(QSize size, bool fast);
// A diver figure above stop bars.
QPixmap decoStopWarning(QSize size);
// A warning triangle over the letters cns.
QPixmap cnsWarning(QSize size);
QPixmap triangle(QSize size, bool up);
// `count` rising chevrons stacked upwards from the lowest (1 to 3), drawn wholly within `size`.
QPixmap ascentChevrons(QSize size, int count);
// A pressed red button of the photographed device face.
QPixmap pressedButton(QSize size);

} // namespace facepictures
