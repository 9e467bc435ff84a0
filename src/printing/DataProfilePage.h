#pragma once

#include "PrintColors.h"
#include "PrintRect.h"

class Dive;
class PrintDevice;
class Profile;

// The data-and-profile page of one dive, laid out for a landscape sheet: the header, three framed
// data boxes (general information, dive computer settings, technical data) and a small profile
// graph in a frame with a drop shadow.
void printProfileData(PrintDevice& device, const PrintColors& colors, const Profile& profile);

// The three boxes, drawn with their top-left corner at box.left, box.top; each writes its size into
// `box`. A dive without its descriptive record gets empty descriptive fields.
void printGeneralInfo(PrintDevice& device, const Dive& dive, PrintRect& box);
void printSettings(PrintDevice& device, const Dive& dive, PrintRect& box);
void printTechnicalInfo(PrintDevice& device, const Dive& dive, PrintRect& box);
