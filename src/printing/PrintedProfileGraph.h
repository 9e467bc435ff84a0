#pragma once

#include "PrintColors.h"
#include "PrintRect.h"

#include <QtGlobal>

class PrintDevice;
class Profile;

// A computed dive's depth profile drawn into a rectangle of a page: axes, a time grid with minute
// labels, a depth grid with labels in the user's unit, the maximum operating depth of a nitrox mix,
// the deep stops of the RGBM models, the profile coloured by decompression and ascent rate, and a
// circle on the diver at `position` (none when negative).
//
// The rectangle keeps 500 twips at its left for the depth labels and 200 at its bottom for the time
// axis; the time labels hang below it by one line of 8-point text. The device is left with line
// width 2, solid lines and "Tahoma" 8 regular.
void printProfile(PrintDevice& device, const PrintColors& colors, const Profile& profile, qint16 position,
                  const PrintRect& rect);
